/*
  The rights of the database user the terminal service logs in as: exactly
  what the terminal commands read, write and call, and nothing else. With
  them the user cannot delete or drop anything, change a product, a client,
  an employee or the shop's settings, or read a table the commands never
  read.

  Run by scripts/grant-terminal-user.sh, which first creates the user and
  puts its name in place of TERMINAL_USER below. It runs as SYSDBA or as the
  database's owner and may be run again: it starts by taking every right the
  user holds away.

  Reads: the product, client, employee, blocked-number and settings rows,
  the tabs, their items and the commission already granted for an item.
  Writes: new tabs and items and changes to them (the columns the commands
  write), commission credits, and the audit log through SP_ADDCOMANDALOG.
  The sequences are the ones whose next value keys a new tab, item or
  commission.
*/

REVOKE ALL ON ALL FROM USER TERMINAL_USER;

GRANT SELECT ON PRODUTOS TO USER TERMINAL_USER;
GRANT SELECT ON CONTATOS TO USER TERMINAL_USER;
GRANT SELECT ON FUNCIONARIOS TO USER TERMINAL_USER;
GRANT SELECT ON COMANDASBLOQUEADAS TO USER TERMINAL_USER;
GRANT SELECT ON CONFIGURA TO USER TERMINAL_USER;
GRANT SELECT, INSERT ON CAIXAFUN TO USER TERMINAL_USER;
GRANT SELECT, INSERT ON COMANDAS TO USER TERMINAL_USER;
GRANT SELECT, INSERT ON COMANDASITENS TO USER TERMINAL_USER;

/* An update names only the columns it writes; the same right lets a
   terminal hold a tab's row (SELECT ... WITH LOCK) while it adds an item. */
GRANT UPDATE (COM_CARTAODEBPAGO, COM_CARTAOPAGO, COM_CHEQUEPAGO, COM_CLIENTE, COM_CODIGO, COM_DATA,
              COM_DINHEIROPAGO, COM_HORA, COM_NUMERO, COM_OBS, COM_QTDE, COM_TABELA, COM_TAXAENTREGA,
              COM_TAXASERVICO, COM_TIPO, COM_TOTAL, CON_CODIGO, FUN_CODIGO, PDV_CODIGO)
  ON COMANDAS TO USER TERMINAL_USER;
GRANT UPDATE (CIN_ABATECONSUMA, CIN_ACRESCIMO, CIN_CODIGO, CIN_CODIGO_LINK, CIN_DATAENTREGA, CIN_DATAPRODUZ,
              CIN_DESCONTO, CIN_HORAENTREGA, CIN_KIT, CIN_MED1, CIN_MED2, CIN_MED3, CIN_MED4, CIN_OBS, CIN_PERDA,
              CIN_PRODUTO_LINK, CIN_QTDE, CIN_REF01, CIN_REF02, CIN_REF03, CIN_REF04, CIN_REF05, CIN_REF06,
              CIN_REFOBS, CIN_SUBQTDE, CIN_VALOR, COM_CODIGO, PRO_CODIGO, VEI_CODIGO)
  ON COMANDASITENS TO USER TERMINAL_USER;

/* On a database whose terminals' table is missing, terminals creating a
   tab take turns on the settings row (SELECT ... FROM CONFIGURA WITH LOCK),
   which the engine allows only with an update right: this one column is
   the least it accepts. */
GRANT UPDATE (CON_CODIGO_CONSUMIDOR) ON CONFIGURA TO USER TERMINAL_USER;

/* A terminal creating tab N writes N's row of the terminals' own table
   (schema/tab-creation.sql) and holds it until its command ends. */
GRANT SELECT, INSERT, UPDATE ON COMANDASCRIACAO TO USER TERMINAL_USER;

GRANT USAGE ON SEQUENCE GEN_COMANDAS_ID TO USER TERMINAL_USER;
GRANT USAGE ON SEQUENCE GEN_COMANDASITENS_ID TO USER TERMINAL_USER;
GRANT USAGE ON SEQUENCE GEN_CAIXAFUN_ID TO USER TERMINAL_USER;

GRANT EXECUTE ON PROCEDURE SP_GETPRECO TO USER TERMINAL_USER;
GRANT EXECUTE ON PROCEDURE SP_SERVERDATE TO USER TERMINAL_USER;
GRANT EXECUTE ON PROCEDURE SP_SERVERTIME TO USER TERMINAL_USER;
GRANT EXECUTE ON PROCEDURE SP_ADDCOMANDALOG TO USER TERMINAL_USER;

/*
  The shop system's own code that runs on the terminal's behalf: the four
  procedures, the triggers of the tables the terminal writes, and whatever
  procedures, functions and triggers those reach in turn. The engine checks
  their work against their own rights as well as the user's, so each gets
  the rights on what its code names (all rights on its tables and views,
  its sequences, exceptions, procedures and functions). These rights serve
  only that code: the terminal user itself gains nothing it could use
  directly, and the audit log stays writable only through SP_ADDCOMANDALOG.
  Code added to the shop database later needs this script run again.
  The COMMIT gives the block a fresh transaction: the one isql began before
  the grants above would see the system tables as they were and conflict
  with them.
*/
COMMIT;

SET TERM ^ ;

EXECUTE BLOCK AS
  DECLARE ROUTINE VARCHAR(63);
  DECLARE ROUTINE_KIND SMALLINT;
  DECLARE TARGET VARCHAR(63);
  DECLARE TARGET_KIND SMALLINT;
  DECLARE GRANTEE VARCHAR(100);
BEGIN
  FOR WITH RECURSIVE REACHED (NAME, KIND, DEPTH) AS (
        SELECT RDB$PROCEDURE_NAME, 5, 0
          FROM RDB$PROCEDURES
         WHERE RDB$PROCEDURE_NAME IN ('SP_GETPRECO', 'SP_SERVERDATE', 'SP_SERVERTIME', 'SP_ADDCOMANDALOG')
        UNION ALL
        SELECT RDB$TRIGGER_NAME, 2, 0
          FROM RDB$TRIGGERS
         WHERE RDB$RELATION_NAME IN ('COMANDAS', 'COMANDASITENS', 'CAIXAFUN')
           AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0
        UNION ALL
        /* procedures and functions called by what was reached */
        SELECT D.RDB$DEPENDED_ON_NAME, D.RDB$DEPENDED_ON_TYPE, R.DEPTH + 1
          FROM REACHED R
          JOIN RDB$DEPENDENCIES D ON D.RDB$DEPENDENT_NAME = R.NAME AND D.RDB$DEPENDENT_TYPE = R.KIND
         WHERE D.RDB$DEPENDED_ON_TYPE IN (5, 15) AND D.RDB$FIELD_NAME IS NULL AND R.DEPTH < 8
        UNION ALL
        /* triggers of the tables what was reached writes or reads */
        SELECT T.RDB$TRIGGER_NAME, 2, R.DEPTH + 1
          FROM REACHED R
          JOIN RDB$DEPENDENCIES D ON D.RDB$DEPENDENT_NAME = R.NAME AND D.RDB$DEPENDENT_TYPE = R.KIND
          JOIN RDB$TRIGGERS T ON T.RDB$RELATION_NAME = D.RDB$DEPENDED_ON_NAME
         WHERE D.RDB$DEPENDED_ON_TYPE = 0 AND D.RDB$FIELD_NAME IS NULL AND COALESCE(T.RDB$SYSTEM_FLAG, 0) = 0
           AND R.DEPTH < 8
      )
      SELECT DISTINCT TRIM(R.NAME), R.KIND, TRIM(D.RDB$DEPENDED_ON_NAME), D.RDB$DEPENDED_ON_TYPE
        FROM REACHED R
        JOIN RDB$DEPENDENCIES D ON D.RDB$DEPENDENT_NAME = R.NAME AND D.RDB$DEPENDENT_TYPE = R.KIND
       WHERE D.RDB$DEPENDED_ON_TYPE IN (0, 5, 7, 14, 15)
         AND D.RDB$DEPENDED_ON_NAME NOT STARTING WITH 'RDB$'
         AND D.RDB$DEPENDED_ON_NAME NOT STARTING WITH 'MON$'
         AND D.RDB$DEPENDED_ON_NAME NOT STARTING WITH 'SEC$'
        INTO :ROUTINE, :ROUTINE_KIND, :TARGET, :TARGET_KIND
  DO
  BEGIN
    GRANTEE = CASE ROUTINE_KIND WHEN 2 THEN ' TO TRIGGER ' WHEN 15 THEN ' TO FUNCTION ' ELSE ' TO PROCEDURE ' END
              || '"' || ROUTINE || '"';
    EXECUTE STATEMENT
      CASE TARGET_KIND
        WHEN 0 THEN 'GRANT ALL ON "' || TARGET || '"'
        WHEN 5 THEN 'GRANT EXECUTE ON PROCEDURE "' || TARGET || '"'
        WHEN 15 THEN 'GRANT EXECUTE ON FUNCTION "' || TARGET || '"'
        WHEN 14 THEN 'GRANT USAGE ON SEQUENCE "' || TARGET || '"'
        ELSE 'GRANT USAGE ON EXCEPTION "' || TARGET || '"'
      END || GRANTEE;
  END
END^

SET TERM ; ^

COMMIT;

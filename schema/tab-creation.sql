/*
  The terminals' own table in the shop database: one row per tab number a
  terminal has created. A terminal about to create tab N writes N's row and
  holds it until its command ends, so a number keyed on several terminals
  at once makes one tab while different numbers are created side by side.
  Without the table the terminals take turns on the CONFIGURA row, one
  creation at a time for the whole shop.

  Run by scripts/grant-terminal-user.sh before the terminal user's rights
  (schema/terminal-user.sql), as SYSDBA or the database's owner. It may be
  run again: an existing table is left as it is.
*/

SET TERM ^ ;

EXECUTE BLOCK AS
BEGIN
  IF (NOT EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'COMANDASCRIACAO')) THEN
    EXECUTE STATEMENT 'CREATE TABLE COMANDASCRIACAO (CCR_NUMERO INTEGER NOT NULL PRIMARY KEY)';
END^

SET TERM ; ^

COMMIT;

#include "NamedParameters.h"

#include <gtest/gtest.h>

TEST(NamedParametersTest, NamesBecomePositionsOutsideQuotes) {
    const PositionalSql sql = ToPositionalParameters(
        "update COMANDAS set COM_CLIENTE = :com_cliente, COM_OBS = 'a :B'':C' where COM_CODIGO = :OLD_COM_CODIGO");
    EXPECT_EQ(sql.text, "update COMANDAS set COM_CLIENTE = ?, COM_OBS = 'a :B'':C' where COM_CODIGO = ?");
    EXPECT_EQ(sql.names, (std::vector<std::string>{"COM_CLIENTE", "OLD_COM_CODIGO"}));
}

TEST(NamedParametersTest, TextWithoutParametersIsUnchanged) {
    const PositionalSql sql = ToPositionalParameters("SELECT \"A:B\" FROM T WHERE X = ':Y'");
    EXPECT_EQ(sql.text, "SELECT \"A:B\" FROM T WHERE X = ':Y'");
    EXPECT_TRUE(sql.names.empty());
}

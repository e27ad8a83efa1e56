// The data-aware boxes on a real shop database.
#include "QZ_COMBORADIOBOX.h"
#include "QZ_DBEDIT.h"
#include "QZ_DIALOG.h"

#include "Database.h"
#include "EditableDataSet.h"
#include "Query.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

class DataLinkTest : public testing::Test {
protected:
    void SetUp() override {
        db.Execute(
            "INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_UF, FUN_SALARIO, FUN_ADMISSAO) "
            "VALUES (1, 'JO\xC3O', 'N', 1500.5, '2015-02-01')");
        db.Execute("INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_UF) VALUES (2, 'MARIA', 'S')");
        employees.SelectSQL = "SELECT * FROM FUNCIONARIOS ORDER BY FUN_CODIGO";
        employees.InsertSQL =
            "insert into FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_UF) values (:FUN_CODIGO, :FUN_NOME, :FUN_UF)";
        employees.ModifySQL = {
            "FUNCIONARIOS", {"FUN_NOME", "FUN_UF", "FUN_SALARIO", "FUN_ADMISSAO"}, "FUN_CODIGO = :OLD_FUN_CODIGO"};
        employees.KeyField = "FUN_CODIGO";
        employees.Generator = "GEN_FUNCIONARIOS_ID";
        employees.Open();

        other = new QLineEdit(&window);
        other->setGeometry(10, 80, 100, 24);
        window.resize(240, 120);
    }
    void TearDown() override { SetDialogBoxHandler(previousHandler); }

    void Show() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void Enter(QWidget* box) {
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus());
    }
    void Leave() { other->setFocus(Qt::TabFocusReason); }

    // What our own transaction reads back for employee 1.
    FieldValue Stored(const char* column) {
        Query query(transaction, std::string("SELECT ") + column + " FROM FUNCIONARIOS WHERE FUN_CODIGO = 1");
        query.Open();
        return query.FieldByName(column);
    }

    StoreTestDatabase db;
    Database database{db.ConnectionString(), db.User(), db.Password()};
    Transaction transaction{database};
    EditableDataSet employees{transaction};
    TDataSource source{&employees};
    QWidget window;
    QLineEdit* other = nullptr;
    std::vector<std::string> errors;
    DialogBoxHandler previousHandler =
        SetDialogBoxHandler([this](TDialogBoxKind, const std::string&, const std::string& text) {
            errors.push_back(text);
            return 1;
        });
};

TEST_F(DataLinkTest, EditShowsTheFieldOfTheCurrentRowAndWritesItBack) {
    auto* box = new TQZEdit(&window);
    box->DataLink().SetDataField("FUN_NOME");
    box->DataLink().SetDataSource(&source);
    EXPECT_EQ(box->Text(), Windows1252Text("JO\xC3O"));
    Show();

    Enter(box);
    box->SetText(Windows1252Text("JO\xC3O DA SILVA"));
    Leave();
    EXPECT_EQ(employees.State(), DataSetState::dsBrowse);
    EXPECT_EQ(Stored("FUN_NOME"), FieldValue(Windows1252Text("JO\xC3O DA SILVA")));

    employees.Next();
    EXPECT_EQ(box->Text(), Windows1252Text("MARIA"));
}

TEST_F(DataLinkTest, TypedBoxesConvertIntoTheFieldKinds) {
    auto* salary = new TQZEdit(&window);
    salary->SetEditStyle(esGeneralNumeric);
    salary->DataLink().SetDataField("FUN_SALARIO");
    salary->DataLink().SetDataSource(&source);
    auto* hired = new TQZEdit(&window);
    hired->move(0, 40);
    hired->SetEditStyle(esDate);
    hired->DataLink().SetDataField("FUN_ADMISSAO");
    hired->DataLink().SetDataSource(&source);
    Show();
    EXPECT_EQ(salary->Text(), Windows1252Text("1500,50"));
    EXPECT_EQ(hired->Value(), TEditValue(EncodeDate(2015, 2, 1)));

    Enter(salary);
    salary->SetText(Windows1252Text("1234,56"));
    Enter(hired);
    hired->setCursorPosition(0);
    QTest::keyClicks(hired, "10032016");
    Leave();
    EXPECT_EQ(Stored("FUN_SALARIO").AsFixed(), FixedPoint::FromRaw(12345600));
    EXPECT_EQ(Stored("FUN_ADMISSAO"), FieldValue(SqlDate{2016, 3, 10}));
}

TEST_F(DataLinkTest, ValueTheFieldCannotHoldClearsIt) {
    auto* box = new TQZEdit(&window);
    box->DataLink().SetDataField("FUN_SALARIO");
    box->DataLink().SetDataSource(&source);
    Show();
    Enter(box);
    box->SetText(Windows1252Text("abc"));
    Leave();
    EXPECT_TRUE(Stored("FUN_SALARIO").IsNull());
}

TEST_F(DataLinkTest, FailedWriteIsShownAndLeavesNoPendingRecord) {
    auto* box = new TQZEdit(&window);
    box->DataLink().SetDataField("FUN_UF");
    box->DataLink().SetDataSource(&source);
    Show();
    Enter(box);
    box->SetText(Windows1252Text("TOO LONG FOR TWO CHARACTERS"));
    Leave();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(employees.State(), DataSetState::dsBrowse);
    EXPECT_EQ(Stored("FUN_UF"), FieldValue(Windows1252Text("N")));
    EXPECT_EQ(box->Text(), Windows1252Text("N"));
    EXPECT_TRUE(box->DataLink().Active);
}

TEST_F(DataLinkTest, LeavingAnUntouchedBoxKeepsWhatAnotherProgramStored) {
    auto* box = new TQZEdit(&window);
    box->DataLink().SetDataField("FUN_NOME");
    box->DataLink().SetDataSource(&source);
    Show();
    db.Execute("UPDATE FUNCIONARIOS SET FUN_NOME = 'OUTRO' WHERE FUN_CODIGO = 1");
    Enter(box);
    Leave();
    EXPECT_EQ(Stored("FUN_NOME"), FieldValue(Windows1252Text("OUTRO")));
    EXPECT_EQ(employees.State(), DataSetState::dsBrowse);
}

TEST_F(DataLinkTest, PopupMenuOverABoxWritesNothingUntilTheBoxIsLeft) {
    auto* box = new TQZEdit(&window);
    box->DataLink().SetDataField("FUN_NOME");
    box->DataLink().SetDataSource(&source);
    Show();
    Enter(box);
    box->SetText(Windows1252Text("JO\xC3O DA SILVA"));
    QMenu menu(box);
    menu.addAction("Colar");
    menu.popup(box->mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(menu.isVisible());
    menu.close();
    EXPECT_EQ(Stored("FUN_NOME"), FieldValue(Windows1252Text("JO\xC3O")));
    EXPECT_EQ(box->Text(), Windows1252Text("JO\xC3O DA SILVA"));
    Leave();
    EXPECT_EQ(Stored("FUN_NOME"), FieldValue(Windows1252Text("JO\xC3O DA SILVA")));
}

TEST_F(DataLinkTest, LeavingABoxOnAnEmptyDataSetAddsARecord) {
    db.Execute("ALTER SEQUENCE GEN_FUNCIONARIOS_ID RESTART WITH 100");
    employees.SelectSQL = "SELECT * FROM FUNCIONARIOS WHERE FUN_CODIGO > 100";
    employees.Open();
    auto* box = new TQZEdit(&window);
    box->DataLink().SetDataField("FUN_NOME");
    box->DataLink().SetDataSource(&source);
    Show();
    Enter(box);
    box->SetText(Windows1252Text("NOVO"));
    Leave();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(employees.State(), DataSetState::dsBrowse);
    EXPECT_EQ(employees.RecordCount(), 1u);
    EXPECT_FALSE(employees.FieldByName("FUN_CODIGO").IsNull());
    Query added(transaction, "SELECT COUNT(*) AS N FROM FUNCIONARIOS WHERE FUN_NOME = 'NOVO'");
    added.Open();
    EXPECT_EQ(added.FieldByName("N").AsInteger(), 1);
}

TEST_F(DataLinkTest, PickOnlyListMapsItemsToStoredValues) {
    auto* list = new TQZComboRadioBox(&window);
    list->addItems({"Sim", QString::fromUtf8("N\xC3\xA3o")});
    list->SetValues({Windows1252Text("S"), Windows1252Text("N")});
    list->DataLink().SetDataField("FUN_UF");
    list->DataLink().SetDataSource(&source);
    EXPECT_EQ(list->currentIndex(), 1);
    Show();

    Enter(list);
    list->setCurrentIndex(0);
    list->showPopup();  // dropping the list down does not leave it
    EXPECT_EQ(Stored("FUN_UF"), FieldValue(Windows1252Text("N")));
    list->hidePopup();
    Leave();
    EXPECT_EQ(Stored("FUN_UF"), FieldValue(Windows1252Text("S")));

    employees.Next();
    EXPECT_EQ(list->currentIndex(), 0);
    db.Execute("UPDATE FUNCIONARIOS SET FUN_UF = NULL WHERE FUN_CODIGO = 2");
    employees.Open();
    employees.Next();
    EXPECT_EQ(list->currentIndex(), -1);
}

TEST_F(DataLinkTest, EditableListWritesItsText) {
    auto* list = new TQZComboRadioBox(&window);
    list->setEditable(true);
    list->addItems({"SP", "RJ"});
    list->SetValues({Windows1252Text("SP"), Windows1252Text("RJ")});
    list->DataLink().SetDataField("FUN_UF");
    list->DataLink().SetDataSource(&source);
    EXPECT_EQ(list->currentText(), "N");
    Show();
    Enter(list);
    list->setEditText("MG");
    Leave();
    EXPECT_EQ(Stored("FUN_UF"), FieldValue(Windows1252Text("MG")));
}

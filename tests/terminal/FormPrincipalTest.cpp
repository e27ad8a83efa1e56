#include "DialogRecorder.h"
#include "FakeInterpreter.h"
#include "FakeTerminalLibrary.h"
#include "FormPrincipal.h"
#include "IniFile.h"
#include "RecordingSleeper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class FormPrincipalTest : public ::testing::Test {
protected:
    static fs::path TestFolder() {
        return fs::temp_directory_path() /
               ("window-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    }
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(dir);
    }

    TFrmPrincipal& Window() {
        if (!window) {
            window = std::make_unique<TFrmPrincipal>(library, sleeper, (dir / "Quorvel").string());
            window->SetInterpreter(&interpreter);
        }
        return *window;
    }
    // Lets the window be shown, which allows saving.
    TFrmPrincipal& ShownWindow() {
        Window().show();
        return *window;
    }
    Lines TerminalEntries() {
        Lines entries;
        for (int i = 0; i < window->CbTerminal->count(); ++i)
            entries.push_back(window->CbTerminal->itemText(i).toStdString());
        return entries;
    }
    void AddTerminal(const QString& address) {
        window->AskTerminalAddress = [address] { return std::optional<QString>(address); };
        window->QZButton2->click();
    }

    fs::path dir = TestFolder();
    IniFile vendor{(dir / "BemaSB32.ini").string()};
    IniFile own{(dir / "Quorvel.ini").string()};
    DialogRecorder boxes;
    FakeTerminalLibrary library;
    RecordingSleeper sleeper;
    FakeInterpreter interpreter;
    std::unique_ptr<TFrmPrincipal> window;
};

TEST_F(FormPrincipalTest, FirstStartShowsTheDefaultsAndWritesNothingBeforeTheWindowIsShown) {
    TFrmPrincipal& w = Window();
    EXPECT_EQ(w.CbProtocolo->currentIndex(), 0);
    EXPECT_EQ(w.EdtPorta->text(), "9200");
    EXPECT_EQ(w.CbTerminal->count(), 0);
    EXPECT_EQ(w.EdtLetters['C' - 'A']->text(), "C");
    EXPECT_EQ(w.EdtLetters['A' - 'A']->text(), "");
    EXPECT_EQ(w.EdtLetters['V' - 'A']->palette().color(QPalette::Base), QColor(255, 213, 213));
    EXPECT_NE(w.EdtLetters['W' - 'A']->palette().color(QPalette::Base), QColor(255, 213, 213));
    EXPECT_EQ(w.EdtCodes[0]->text(), "27");
    EXPECT_EQ(w.CbActions[0]->currentIndex(), 7);
    EXPECT_EQ(w.CbActions[1]->currentIndex(), -1);
    EXPECT_EQ(w.PnComando->text(), "terminal desconectado");
    EXPECT_FALSE(w.CkLog->isChecked());
    EXPECT_FALSE(w.TM->isActive());
    EXPECT_EQ(w.VendorIniPath, vendor.Path());

    w.EdtPorta->setText("9300");
    w.SaveSettings();
    EXPECT_FALSE(fs::exists(vendor.Path()));
    EXPECT_FALSE(fs::exists(own.Path()));

    w.show();
    w.EdtPorta->setText("9400");
    EXPECT_EQ(vendor.ReadInteger("Terminais", "Porta", 0), 9400);
    EXPECT_EQ(own.ReadString("TECLAS", "B", ""), "B");
    EXPECT_EQ(own.ReadInteger("ACOESESPECIAIS", "02", 0), -1);
}

TEST_F(FormPrincipalTest, ClosingSavesWhatTheBoxesHold) {
    TFrmPrincipal& w = ShownWindow();
    w.EdtLetters[0]->setText(QString::fromUtf8(" 2526#13 "));
    w.EdtCodes[2]->setText("$C8");
    w.CbActions[2]->setCurrentIndex(8);
    w.CbProtocolo->setCurrentIndex(-1);
    w.close();
    EXPECT_EQ(own.ReadString("TECLAS", "A", ""), "2526#13");
    EXPECT_EQ(own.ReadString("TECLASESPECIAIS", "03", ""), "$C8");
    EXPECT_EQ(own.ReadInteger("ACOESESPECIAIS", "03", 0), 8);
    EXPECT_EQ(vendor.ReadInteger("FIT", "PROTOCOLO", 0), -1);
}

TEST_F(FormPrincipalTest, AddingAndRemovingTerminals) {
    TFrmPrincipal& w = ShownWindow();
    AddTerminal("10.0.0.1");
    AddTerminal("   ");  // blank: nothing added
    w.AskTerminalAddress = [] { return std::optional<QString>(); };
    w.QZButton2->click();  // cancelled
    AddTerminal("10.0.0.2");
    AddTerminal("10.0.0.3");
    EXPECT_EQ(TerminalEntries(), (Lines{"0=10.0.0.1", "1=10.0.0.2", "2=10.0.0.3"}));
    EXPECT_EQ(w.CbTerminal->currentIndex(), -1);

    w.QZButton1->click();
    EXPECT_EQ(boxes.boxes, Lines{"Erro / Nenhum terminal selcionado para remover!"});

    w.CbTerminal->setCurrentIndex(0);
    boxes.answer = 2;
    w.QZButton1->click();
    EXPECT_EQ(TerminalEntries().size(), 3u);

    boxes.answer = 1;
    w.QZButton1->click();
    EXPECT_EQ(boxes.boxes.back(), "Excluir terminal / Deseja remover este terminal?");
    EXPECT_EQ(TerminalEntries(), (Lines{"0=10.0.0.2", "1=10.0.0.3"}));
    EXPECT_EQ(w.CbTerminal->currentIndex(), -1);
    EXPECT_EQ(vendor.ReadString("Terminais", "2", "gone"), "gone");
}

TEST_F(FormPrincipalTest, AHandWrittenListWithGapsAddressesEachTerminalByItsKey) {
    std::ofstream(dir / "BemaSB32.ini", std::ios::binary)
        << "[Terminais]\r\nPorta=9200\r\n0=10.0.0.1\r\n2=10.0.0.3\r\n5=10.0.0.6\r\n";
    TFrmPrincipal& w = Window();
    w.CbTerminal->setCurrentIndex(2);
    w.BtnIniciar->click();
    EXPECT_EQ(library.DisplayCalls()[2], "LimpaDisplay 5");
}

TEST_F(FormPrincipalTest, StartWithoutASelectionAsksForOne) {
    TFrmPrincipal& w = ShownWindow();
    w.BtnIniciar->click();
    EXPECT_EQ(w.PnComando->text(), "selecione o microterminal!");
    EXPECT_EQ(boxes.boxes, Lines{"Erro / Selecione o microterminal!"});
    EXPECT_FALSE(w.TM->isActive());
}

TEST_F(FormPrincipalTest, KeysFollowTheBoxesAsTheyStandAndAreLoggedOnlyWhenTicked) {
    TFrmPrincipal& w = ShownWindow();
    AddTerminal("10.0.0.1");
    w.CbTerminal->setCurrentIndex(0);
    w.CbProtocolo->setCurrentIndex(-1);
    w.BtnIniciar->click();
    EXPECT_EQ(library.calls[1], "SelecionaProtocolo -1");
    EXPECT_TRUE(w.TM->isActive());
    EXPECT_EQ(w.PnComando->text(), QString::fromUtf8("conexão realizada com sucesso, aguardando comandos..."));

    w.EdtLetters[0]->setText("2526#13");
    library.Type("a");
    w.TMTimer();
    EXPECT_EQ(interpreter.received, Lines{"2526"});
    EXPECT_EQ(w.PnComando->text(), "Comando: 2526 / Retorno:000-OK");
    EXPECT_FALSE(fs::exists(dir / "teclas.txt"));

    w.CkLog->setChecked(true);
    w.BtnParar->click();
    EXPECT_FALSE(w.TM->isActive());
    std::ifstream log(dir / "teclas.txt", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "#LOG: TERMINAL PARADO#\r\n");
}

}  // namespace

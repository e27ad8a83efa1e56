#include "DialogRecorder.h"
#include "FakeInterpreter.h"
#include "FakeTerminalLibrary.h"
#include "FormPrincipal.h"
#include "IniFile.h"
#include "QZ_BUTTON.h"
#include "QZ_DBEDIT.h"
#include "QZ_THEME.h"
#include "RecordingSleeper.h"
#include "TemporaryFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Records the keys pressed in the controls it watches.
class KeyRecorder : public QObject {
public:
    explicit KeyRecorder(std::vector<int>& keys) : keys_(keys) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            keys_.push_back(static_cast<QKeyEvent*>(event)->key());
        return false;
    }

private:
    std::vector<int>& keys_;
};

class FormPrincipalTest : public ::testing::Test {
protected:
    void TearDown() override { window.reset(); }

    TFrmPrincipal& Window() {
        if (!window) {
            window = std::make_unique<TFrmPrincipal>(library, sleeper, folder.PathOf("Quorvel"));
            window->SetInterpreter(&interpreter);
        }
        return *window;
    }
    // Lets the window be shown, which allows saving.
    TFrmPrincipal& ShownWindow() {
        Window().show();
        return *window;
    }
    // Shown and active, with the focus in the given control, as the
    // operator has it while typing there.
    void FocusIn(QWidget* control) {
        ShownWindow().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        control->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(control->hasFocus());
    }
    Lines TerminalEntries() {
        Lines entries;
        const QComboBox* list = Find<QComboBox>("CbTerminal");
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->itemText(i).toStdString());
        return entries;
    }
    // A control of the window, found by its name.
    template <typename Control>
    Control* Find(const QString& name) const {
        auto* control = dynamic_cast<Control*>(window->findChild<QObject*>(name));
        if (!control)
            throw std::runtime_error("no control " + name.toStdString());
        return control;
    }
    void AddTerminal(const QString& address) {
        ShownWindow().AskTerminalAddress = [address] { return std::optional<QString>(address); };
        Find<TQZButton>("QZButton2")->Click();
    }

    TemporaryFolder folder{"window"};
    IniFile vendor{folder.PathOf("BemaSB32.ini")};
    IniFile own{folder.PathOf("Quorvel.ini")};
    DialogRecorder boxes;
    FakeTerminalLibrary library;
    RecordingSleeper sleeper;
    FakeInterpreter interpreter;
    std::unique_ptr<TFrmPrincipal> window;
};

TEST_F(FormPrincipalTest, FirstStartShowsTheDefaultsAndWritesNothingBeforeTheWindowIsShown) {
    TFrmPrincipal& w = Window();
    EXPECT_EQ(Find<QComboBox>("CbProtocolo")->currentIndex(), 0);
    EXPECT_EQ(Find<TQZEdit>("EdtPorta")->text(), "9200");
    EXPECT_EQ(Find<QComboBox>("CbTerminal")->count(), 0);
    EXPECT_EQ(Find<QLineEdit>("EdtC")->text(), "C");
    EXPECT_EQ(Find<QLineEdit>("EdtA")->text(), "");
    EXPECT_EQ(Find<QLineEdit>("EdtC1")->text(), "27");
    EXPECT_EQ(Find<QComboBox>("CbC1")->currentIndex(), 7);
    EXPECT_EQ(Find<QComboBox>("CbC2")->currentIndex(), -1);
    EXPECT_EQ(Find<QLabel>("PnComando")->text(), "terminal desconectado");
    EXPECT_FALSE(Find<QCheckBox>("CkLog")->isChecked());
    EXPECT_FALSE(Find<QTimer>("TM")->isActive());
    EXPECT_EQ(w.VendorIniPath, vendor.Path());

    Find<TQZEdit>("EdtPorta")->setText("9300");
    w.SaveSettings();
    EXPECT_FALSE(fs::exists(vendor.Path()));
    EXPECT_FALSE(fs::exists(own.Path()));

    w.show();
    Find<TQZEdit>("EdtPorta")->setText("9400");
    EXPECT_EQ(vendor.ReadInteger("Terminais", "Porta", 0), 9400);
    EXPECT_EQ(own.ReadString("TECLAS", "B", ""), "B");
    EXPECT_EQ(own.ReadInteger("ACOESESPECIAIS", "02", 0), -1);
}

TEST_F(FormPrincipalTest, ClosingSavesWhatTheBoxesHold) {
    TFrmPrincipal& w = ShownWindow();
    Find<QLineEdit>("EdtA")->setText(QString::fromUtf8(" 2526#13 "));
    Find<QLineEdit>("EdtC3")->setText("$C8");
    Find<QComboBox>("CbC3")->setCurrentIndex(8);
    Find<QComboBox>("CbProtocolo")->setCurrentIndex(-1);
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
    Find<TQZButton>("QZButton2")->Click();  // cancelled
    AddTerminal("10.0.0.2");
    AddTerminal("10.0.0.3");
    EXPECT_EQ(TerminalEntries(), (Lines{"0=10.0.0.1", "1=10.0.0.2", "2=10.0.0.3"}));
    EXPECT_EQ(Find<QComboBox>("CbTerminal")->currentIndex(), -1);

    Find<TQZButton>("QZButton1")->Click();
    EXPECT_EQ(boxes.boxes, Lines{"Erro / Nenhum terminal selcionado para remover!"});

    Find<QComboBox>("CbTerminal")->setCurrentIndex(0);
    boxes.answer = 2;
    Find<TQZButton>("QZButton1")->Click();
    EXPECT_EQ(TerminalEntries().size(), 3u);

    boxes.answer = 1;
    Find<TQZButton>("QZButton1")->Click();
    EXPECT_EQ(boxes.boxes.back(), "Excluir terminal / Deseja remover este terminal?");
    EXPECT_EQ(TerminalEntries(), (Lines{"0=10.0.0.2", "1=10.0.0.3"}));
    EXPECT_EQ(Find<QComboBox>("CbTerminal")->currentIndex(), -1);
    EXPECT_EQ(vendor.ReadString("Terminais", "2", "gone"), "gone");
}

TEST_F(FormPrincipalTest, AHandWrittenListWithGapsAddressesEachTerminalByItsKey) {
    std::ofstream(folder.Path() / "BemaSB32.ini", std::ios::binary)
        << "[Terminais]\r\nPorta=9200\r\n0=10.0.0.1\r\n2=10.0.0.3\r\n5=10.0.0.6\r\n";
    Window();
    Find<QComboBox>("CbTerminal")->setCurrentIndex(2);
    Find<TQZButton>("BtnIniciar")->Click();
    EXPECT_EQ(library.DisplayCalls()[2], "LimpaDisplay 5");
}

TEST_F(FormPrincipalTest, NoTerminalIsServedUnderAKeyTheLibraryCannotAddress) {
    std::ofstream(folder.Path() / "BemaSB32.ini", std::ios::binary)
        << "[Terminais]\r\nPorta=9200\r\n0=10.0.0.1\r\n256=10.0.0.2\r\n";
    Window();
    Find<QComboBox>("CbTerminal")->setCurrentIndex(1);
    Find<TQZButton>("BtnIniciar")->Click();
    const std::string line =
        "a chave 256 n\xC3\xA3o \xC3\xA9 um terminal que a biblioteca atende, que s\xC3\xA3o as chaves "
        "0 a 255 (" +
        vendor.Path() + " [Terminais] 256)";
    EXPECT_EQ(boxes.boxes, Lines{"Erro / " + line});
    EXPECT_EQ(Find<QLabel>("PnComando")->text().toStdString(), line);
    EXPECT_TRUE(library.calls.empty());  // terminal 1 is not driven in its place

    // A full list takes no 257th terminal: saving would give it the key 256.
    std::ofstream list(folder.Path() / "BemaSB32.ini", std::ios::binary);
    list << "[Terminais]\r\n";
    for (int key = 0; key < 256; ++key)
        list << key << "=10.0.1." << key << "\r\n";
    list.close();
    window.reset();
    AddTerminal("10.0.2.1");
    EXPECT_EQ(boxes.boxes.back(), "Erro / A biblioteca do terminal atende no m\xC3\xA1ximo 256 terminais!");
    EXPECT_EQ(TerminalEntries().size(), 256u);
    EXPECT_EQ(vendor.ReadString("Terminais", "256", "none"), "none");
}

TEST_F(FormPrincipalTest, F2AndF3StartAndStopWhereverTheFocusIs) {
    AddTerminal("10.0.0.1");
    FocusIn(Find<TQZEdit>("EdtPorta"));
    QTest::keyClick(Find<TQZEdit>("EdtPorta"), Qt::Key_F2);
    EXPECT_EQ(Find<QLabel>("PnComando")->text(), "selecione o microterminal!");
    EXPECT_EQ(boxes.boxes, Lines{"Erro / Selecione o microterminal!"});
    EXPECT_TRUE(library.calls.empty());

    // Each key acts once, though the box passes it on to its parents.
    auto connections = [this] { return std::count(library.calls.begin(), library.calls.end(), "IniciaComunicacao"); };
    Find<QComboBox>("CbTerminal")->setCurrentIndex(0);
    QTest::keyClick(Find<TQZEdit>("EdtPorta"), Qt::Key_F2);
    EXPECT_TRUE(Find<QTimer>("TM")->isActive());
    EXPECT_EQ(connections(), 1);
    QTest::keyClick(Find<TQZEdit>("EdtPorta"), Qt::Key_F3);
    EXPECT_FALSE(Find<QTimer>("TM")->isActive());
    EXPECT_EQ(connections(), 2);
    EXPECT_EQ(library.calls.back(), "IniciaComunicacao");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FormPrincipalTest, EscWhileTypingInALetterBoxClosesAndSavesThatBox) {
    Window();
    QLineEdit* boxD = Find<QLineEdit>("EdtD");
    std::vector<int> keysTheBoxSaw;
    KeyRecorder recorder(keysTheBoxSaw);
    boxD->installEventFilter(&recorder);
    FocusIn(boxD);
    QTest::keyClicks(boxD, "77#13");
    QTest::keyClick(boxD, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(own.ReadString("TECLAS", "D", ""), "77#13");
    EXPECT_EQ(keysTheBoxSaw.back(), Qt::Key_Escape);  // the key still reaches the box
}

TEST_F(FormPrincipalTest, EveryStartHasNoTerminalSelectedAndTheLogOff) {
    TFrmPrincipal& first = ShownWindow();
    AddTerminal("10.0.0.1");
    AddTerminal("10.0.0.2");
    Find<QComboBox>("CbTerminal")->setCurrentIndex(1);
    Find<QCheckBox>("CkLog")->setChecked(true);
    first.close();
    window.reset();

    Window();
    EXPECT_EQ(Find<QComboBox>("CbTerminal")->count(), 2);
    EXPECT_EQ(Find<QComboBox>("CbTerminal")->currentIndex(), -1);
    EXPECT_FALSE(Find<QCheckBox>("CkLog")->isChecked());
}

TEST_F(FormPrincipalTest, KeysFollowTheBoxesAsTheyStandAndAreLoggedOnlyWhenTicked) {
    TFrmPrincipal& w = ShownWindow();
    AddTerminal("10.0.0.1");
    Find<QComboBox>("CbTerminal")->setCurrentIndex(0);
    Find<QComboBox>("CbProtocolo")->setCurrentIndex(-1);
    Find<TQZButton>("BtnIniciar")->Click();
    EXPECT_EQ(library.calls[1], "SelecionaProtocolo -1");
    EXPECT_TRUE(Find<QTimer>("TM")->isActive());
    EXPECT_EQ(Find<QLabel>("PnComando")->text(),
              QString::fromUtf8("conexão realizada com sucesso, aguardando comandos..."));

    Find<QLineEdit>("EdtA")->setText("2526#13");
    library.Type("a");
    w.TMTimer();
    EXPECT_EQ(interpreter.received, Lines{"2526"});
    EXPECT_EQ(Find<QLabel>("PnComando")->text(), "Comando: 2526 / Retorno:000-OK");
    EXPECT_FALSE(fs::exists(folder.Path() / "teclas.txt"));

    Find<QCheckBox>("CkLog")->setChecked(true);
    Find<TQZButton>("BtnParar")->Click();
    EXPECT_FALSE(Find<QTimer>("TM")->isActive());
    std::ifstream log(folder.Path() / "teclas.txt", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "#LOG: TERMINAL PARADO#\r\n");
}

TEST_F(FormPrincipalTest, AFailedCommandIsShownOnTheTerminalWhileTheErrorBoxIsUp) {
    ShownWindow();
    AddTerminal("10.0.0.1");
    Find<QComboBox>("CbTerminal")->setCurrentIndex(0);
    Find<TQZButton>("BtnIniciar")->Click();
    auto written = [this](const std::string& call) {
        return std::find(library.calls.begin(), library.calls.end(), call) != library.calls.end();
    };
    // The polling timer goes on while the box's own loop runs.
    bool shownWhileTheBoxIsUp = false;
    boxes.whileShown = [&] {
        shownWhileTheBoxIsUp = QTest::qWaitFor([&] { return written("EscreveDisplay 0 900-ERRO! O COMANDO "); }, 20000);
    };

    interpreter.failure = "connection lost to database";
    library.Type("V\r");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.boxes.empty(); }, 20000));
    EXPECT_EQ(boxes.boxes, Lines{"Quorvel / connection lost to database"});
    EXPECT_TRUE(shownWhileTheBoxIsUp);
    EXPECT_EQ(Find<QLabel>("PnComando")->text(),
              QString::fromUtf8("Comando: V / Retorno:900-ERRO! O COMANDO NÃO FOI EXECUTADO!"));
    EXPECT_TRUE(Find<QTimer>("TM")->isActive());
}

TEST_F(FormPrincipalTest, LayoutFacts) {
    TFrmPrincipal& w = Window();
    EXPECT_EQ(w.size(), QSize(774, 512));
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Microterminal Bematech - Fit B\u00E1sico v 1.2.4"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(Find<TQZPanel>("QZPanel1")->geometry(), QRect(0, 0, 774, 40));
    EXPECT_EQ(Find<TQZPanel>("QZPanel1")->Caption(), QString::fromUtf8("Microterminal Bematech Fit B\u00E1sico"));

    const char* const tabs[] = {"CONFIGURA\u00C7\u00C3O", "AJUDA - TECLAS DE ATALHO", "CONFIGURAR TECLAS",
                                "TECLAS ESPECIAIS"};
    ASSERT_EQ(Find<QTabWidget>("PC")->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Find<QTabWidget>("PC")->tabText(i), QString::fromUtf8(tabs[i]));
    EXPECT_EQ(Find<QTabWidget>("PC")->currentIndex(), 0);

    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        SCOPED_TRACE(letter);
        const bool lightRed = std::string_view("BCQRSTUV").find(letter) != std::string_view::npos;
        EXPECT_EQ(Find<QLineEdit>(QStringLiteral("Edt") + QChar(letter))->palette().color(QPalette::Base) ==
                      QColor(255, 213, 213),
                  lightRed);
    }

    // The bar takes the bottom 41 pixels: "LIMPAR VISOR" at its left edge,
    // the other three side by side at its right edge.
    struct ButtonFact {
        TQZButton* button;
        const char* caption;
    };
    const ButtonFact buttons[] = {{Find<TQZButton>("BtnLimpar"), "LIMPAR VISOR"},
                                  {Find<TQZButton>("BtnIniciar"), "INICIAR F2"},
                                  {Find<TQZButton>("BtnParar"), "PARAR F3"},
                                  {Find<TQZButton>("BtnFechar"), "FECHAR ESC"}};
    for (const ButtonFact& fact : buttons) {
        SCOPED_TRACE(fact.caption);
        EXPECT_EQ(fact.button->Caption(), fact.caption);
        const QRect place(fact.button->mapTo(&w, QPoint(0, 0)), fact.button->size());
        EXPECT_EQ(place.size(), QSize(136, 33));
        EXPECT_GE(place.top(), 512 - 41);
        EXPECT_LE(place.bottom(), 511);
    }
    auto left = [&w](QWidget* button) { return button->mapTo(&w, QPoint(0, 0)).x(); };
    auto gap = [&left](QWidget* first, QWidget* second) { return left(second) - (left(first) + 136); };
    EXPECT_LE(left(Find<TQZButton>("BtnLimpar")), 8);
    EXPECT_LE(774 - (left(Find<TQZButton>("BtnFechar")) + 136), 8);
    for (auto [first, second] : {std::pair{Find<TQZButton>("BtnIniciar"), Find<TQZButton>("BtnParar")},
                                 std::pair{Find<TQZButton>("BtnParar"), Find<TQZButton>("BtnFechar")}}) {
        EXPECT_GE(gap(first, second), 0);
        EXPECT_LE(gap(first, second), 8);
    }
    EXPECT_GT(gap(Find<TQZButton>("BtnLimpar"), Find<TQZButton>("BtnIniciar")), 136);
}

TEST_F(FormPrincipalTest, ThemedControlsPaintWithTheThemeHandedOver) {
    TFrmPrincipal& w = Window();
    const QList<TQZControl*> themed = w.findChildren<TQZControl*>();
    ASSERT_FALSE(themed.isEmpty());
    for (TQZControl* control : themed)
        EXPECT_NE(control->Theme(), nullptr) << control->objectName().toStdString();

    TQZTheme tema;
    w.UseTheme(tema);
    for (TQZControl* control : themed)
        EXPECT_EQ(control->Theme(), &tema) << control->objectName().toStdString();
    EXPECT_EQ(Find<TQZEdit>("EdtPorta")->Theme(), &tema);
}

}  // namespace

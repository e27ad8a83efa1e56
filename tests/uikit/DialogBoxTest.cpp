#include "QZ_BUTTON.h"
#include "QZ_CONTROLS.h"
#include "QZ_DIALOG.h"
#include "QZ_DIALOG_FORM.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// What a box showed, read while it was open.
struct Seen {
    TQZThemeColors scheme{};
    QString title, panelCaption, text, okCaption, cancelCaption;
    int okLeft = -1, cancelLeft = -1;
    bool cancelVisible = false;
    int icon = 0;  // 1 information, 2 question, 3 warning, 4 error
    int visibleIcons = 0;
    QPoint iconAt;
};

// Opens a box through `open` and, once its window runs, records what it
// shows and lets `answer` act on it.
int Answer(const std::function<int()>& open, const std::function<void(TFrmDialog&)>& answer, Seen* seen = nullptr) {
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TFrmDialog*>(QApplication::activeModalWidget());
        if (!form) {
            ADD_FAILURE() << "no message window open";
            return;
        }
        if (seen) {
            seen->scheme = form->Cores.ThemeColors();
            seen->title = form->windowTitle();
            seen->panelCaption = form->PnTitulo->Caption();
            seen->text = form->LblMens->text();
            seen->okCaption = form->BtnOK->Caption();
            seen->okLeft = form->BtnOK->x();
            seen->cancelCaption = form->BtnCancelar->Caption();
            seen->cancelLeft = form->BtnCancelar->x();
            seen->cancelVisible = form->BtnCancelar->isVisible();
            QLabel* const icons[] = {form->ImInfo, form->ImQuestion, form->ImWarning, form->ImError};
            for (int i = 0; i < 4; ++i)
                if (icons[i]->isVisible()) {
                    seen->icon = i + 1;
                    seen->iconAt = icons[i]->pos();
                    ++seen->visibleIcons;
                }
        }
        answer(*form);
    });
    return open();
}

void Key(TFrmDialog& form, Qt::Key key) {
    QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
    QTest::keyClick(target, key);
}

const QString kNo = QStringLiteral("NÃO (ESC)");

// Relative luminance of a screen colour (sRGB), 0 for black to 1 for white.
double Luminance(QRgb rgb) {
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

TEST(DialogBoxTest, EachKindShowsItsSchemeIconAndButtons) {
    struct Case {
        TDialogBoxKind kind;
        TQZThemeColors scheme;
        int icon;
        const char* ok;
        int okLeft;
        bool cancel;
    };
    const Case cases[] = {
        {dbkInfo, tcAzul, 1, "OK", 220, false},
        {dbkQuestion, tcVerde, 2, "SIM", 152, true},
        {dbkWarning, tcAmarelo, 3, "OK", 220, false},
        {dbkError, tcVermelho, 4, "OK", 220, false},
        {dbkWarningQuestion, tcAmarelo, 2, "SIM", 152, true},
        {static_cast<TDialogBoxKind>(5), tcAzul, 0, "OK", 152, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        Seen seen;
        Answer([&] { return DialogBox(c.kind, "Título", "Texto"); }, [](TFrmDialog& form) { form.BtnOK->Click(); },
               &seen);
        EXPECT_EQ(seen.scheme, c.scheme);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.visibleIcons, c.icon ? 1 : 0);
        EXPECT_EQ(seen.okCaption, QString::fromUtf8(c.ok));
        EXPECT_EQ(seen.okLeft, c.okLeft);
        EXPECT_EQ(seen.cancelVisible, c.cancel);
        EXPECT_EQ(seen.cancelCaption, kNo);
        EXPECT_EQ(seen.cancelLeft, 288);
        if (c.icon) {
            EXPECT_EQ(seen.iconAt, QPoint(208, 86));
        }
    }
}

TEST(DialogBoxTest, MessageTextStaysReadableOverTheCentredIcon) {
    // The text lies over the icon, so no pixel of the message area may come
    // near the text colour: at least the 4.5 : 1 contrast of readable text.
    for (int kind = dbkInfo; kind <= dbkWarningQuestion; ++kind) {
        SCOPED_TRACE(kind);
        TFrmDialog form;
        form.Prepare(static_cast<TDialogBoxKind>(kind), QStringLiteral("Título"), QString());
        form.setAttribute(Qt::WA_DontShowOnScreen);
        form.show();
        const QImage area = form.Panel1->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb ink = form.LblMens->palette().color(QPalette::WindowText).rgb();
        double lowest = 21;
        int iconPixels = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                const QRgb pixel = area.pixel(x, y);
                lowest = std::min(lowest, Contrast(ink, pixel));
                iconPixels += qRgb(0xFF, 0xFF, 0xFF) != pixel;
            }
        EXPECT_GE(lowest, 4.5);
        EXPECT_GT(iconPixels, 128 * 128 / 4);  // the icon still shows
    }
}

TEST(DialogBoxTest, TitleAndTextReachTheWindowAsTheyAre) {
    Seen seen;
    Answer([] { return ErrorBox("Erro", "Selecione o microterminal!\rTente <b>de novo</b>."); },
           [](TFrmDialog& form) { Key(form, Qt::Key_Return); }, &seen);
    EXPECT_EQ(seen.title, QStringLiteral("Erro"));
    EXPECT_EQ(seen.panelCaption, QStringLiteral("Erro"));
    EXPECT_EQ(seen.text, QStringLiteral("Selecione o microterminal!\nTente <b>de novo</b>."));
}

TEST(DialogBoxTest, EnterEscAndClicksGiveTheirResults) {
    using Box = std::function<int()>;
    const Box error = [] { return ErrorBox("Erro", "Selecione o microterminal!"); };
    const Box question = [] { return QuestionBox("Excluir terminal", "Deseja remover este terminal?"); };
    const Box info = [] { return InfoBox("Aviso", "Configuração salva."); };
    struct Case {
        const char* name;
        Box box;
        std::function<void(TFrmDialog&)> act;
        int result;
    };
    const Case cases[] = {
        {"error Enter", error, [](TFrmDialog& f) { Key(f, Qt::Key_Return); }, 1},
        {"error Esc", error, [](TFrmDialog& f) { Key(f, Qt::Key_Escape); }, 2},
        {"error click OK", error, [](TFrmDialog& f) { QTest::mouseClick(f.BtnOK, Qt::LeftButton); }, 1},
        {"info Esc", info, [](TFrmDialog& f) { Key(f, Qt::Key_Escape); }, 2},
        {"question Enter", question, [](TFrmDialog& f) { Key(f, Qt::Key_Return); }, 1},
        {"question Esc", question, [](TFrmDialog& f) { Key(f, Qt::Key_Escape); }, 2},
        {"question click SIM", question, [](TFrmDialog& f) { QTest::mouseClick(f.BtnOK, Qt::LeftButton); }, 1},
        {"question click NÃO", question, [](TFrmDialog& f) { QTest::mouseClick(f.BtnCancelar, Qt::LeftButton); }, 2},
        {"question Space on NÃO", question,
         [](TFrmDialog& f) {
             f.BtnCancelar->setFocus();
             QTest::keyClick(f.BtnCancelar, Qt::Key_Space);
         },
         2},
        {"question Enter on NÃO", question,
         [](TFrmDialog& f) {
             f.BtnCancelar->setFocus();
             Key(f, Qt::Key_Return);
         },
         2},
        {"question closed", question, [](TFrmDialog& f) { f.close(); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Answer(c.box, c.act), c.result);
    }
}

TEST(DialogBoxTest, RecorderInPlaceOfTheWindowGetsEveryBox) {
    std::vector<TDialogBoxKind> kinds;
    DialogBoxHandler previous = SetDialogBoxHandler([&](TDialogBoxKind kind, const std::string&, const std::string&) {
        kinds.push_back(kind);
        return 2;
    });
    EXPECT_EQ(ErrorBox("a", "b"), 2);
    EXPECT_EQ(QuestionBox("a", "b"), 2);
    EXPECT_EQ(InfoBox("a", "b"), 2);
    SetDialogBoxHandler(previous);
    EXPECT_EQ(kinds, (std::vector<TDialogBoxKind>{dbkError, dbkQuestion, dbkInfo}));
}

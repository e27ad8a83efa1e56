#pragma once
// TFrmDialog: the themed window that shows one message box - a title bar in
// the colours of the box's kind, a white message area with a large icon
// under the text, and "OK" or "SIM" / "NÃO (ESC)" buttons.
#include "QZ_DIALOG.h"
#include "QZ_THEME.h"

#include <QDialog>

#include <string>

class QLabel;
class TQZButton;
class TQZPanel;

class TFrmDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDialog(QWidget* parent = nullptr);

    // Sets the scheme, title, text, visible icon and buttons of a box kind.
    // A kind past the last one keeps the stored scheme and buttons and shows
    // no icon.
    void Prepare(TDialogBoxKind kind, const QString& title, const QString& text);

    TQZTheme Cores;
    TQZPanel* PnTitulo;
    QWidget* Panel1;
    QLabel* LblMens;
    QLabel* ImInfo;
    QLabel* ImQuestion;
    QLabel* ImWarning;
    QLabel* ImError;
    QWidget* PnLista;
    QWidget* PnBotoes;
    TQZButton* BtnOK;
    TQZButton* BtnCancelar;

public slots:
    // Closing the window by any other way than a button answers "NÃO".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void CreateButtons();
    QLabel* CreateIcon(const QImage& picture);
    void CenterIcons();
};

// Beeps for the kind, shows a TFrmDialog modally and returns its result
// (1 for "OK"/"SIM", 2 for "NÃO (ESC)" or Esc).
int ShowDialogBoxWindow(TDialogBoxKind kind, const std::string& title, const std::string& text);

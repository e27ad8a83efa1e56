#include "TerminalWindow.h"

#include "Keyboard.h"
#include "SimulatedTerminal.h"
#include "TerminalServer.h"
#include "Windows1252.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>
#include <utility>

namespace {

// Computer keys that stand for the terminal's keys without a character;
// the others are found by their character.
const std::pair<int, const char*> kComputerKeys[] = {
    {Qt::Key_Return, "ENTER"}, {Qt::Key_Enter, "ENTER"},   {Qt::Key_F1, "F1"},      {Qt::Key_F2, "F2"},
    {Qt::Key_F3, "F3"},        {Qt::Key_F4, "F4"},         {Qt::Key_F5, "F5"},      {Qt::Key_F6, "FX"},
    {Qt::Key_Delete, "DEL"},   {Qt::Key_Backspace, "DEL"}, {Qt::Key_Escape, "ESC"},
};

}  // namespace

TerminalWindow::TerminalWindow(SimulatedTerminal& terminal, TerminalServer& server, const Keyboard& keyboard,
                               const QString& listenAddress)
    : terminal_(terminal), server_(server), keyboard_(keyboard), listenAddress_(listenAddress) {
    setWindowTitle("Terminal " + listenAddress);
    setLayout(new QVBoxLayout);
    CreateDisplay();
    CreateKeyboard();
    StartServing();
    ShowDisplay();
    ShowConnection();
}

void TerminalWindow::CreateDisplay() {
    display_ = new QLabel;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(18);
    display_->setFont(font);
    display_->setTextFormat(Qt::PlainText);
    display_->setMargin(12);
    display_->setStyleSheet("background-color: #9cb84a; color: #1d2a10; border: 6px solid #3a3a3a;");
    connection_ = new QLabel;
    layout()->addWidget(display_);
    layout()->addWidget(connection_);
}

void TerminalWindow::CreateKeyboard() {
    auto* grid = new QGridLayout;
    int line = 0;
    for (const std::vector<Key>& row : keyboard_.Rows()) {
        int column = 0;
        for (const Key& key : row) {
            auto* button = new QPushButton(QString::fromStdString(key.label));
            button->setFocusPolicy(Qt::NoFocus);
            const uint16_t code = key.code;
            connect(button, &QPushButton::clicked, this, [this, code] { Press(code); });
            grid->addWidget(button, line, column++);
        }
        ++line;
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void TerminalWindow::StartServing() {
    terminal_.onDisplayChange = [this](const TerminalDisplay&) { ShowDisplay(); };
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
        server_.Serve(std::chrono::milliseconds(0));
        ShowConnection();
    });
    timer->start(10);
}

void TerminalWindow::ShowDisplay() {
    QStringList lines;
    for (int line = 1; line <= TerminalDisplay::kLines; ++line)
        lines << QString::fromStdString(Windows1252ToUtf8(Windows1252Text(terminal_.Display().Line(line))));
    display_->setText(lines.join('\n'));
}

void TerminalWindow::ShowConnection() {
    connection_->setText(server_.HostConnected() ? "Host conectado" : "Aguardando host em " + listenAddress_);
}

void TerminalWindow::Press(uint16_t code) {
    terminal_.PressKey(code);
    server_.Serve(std::chrono::milliseconds(0));
}

void TerminalWindow::keyPressEvent(QKeyEvent* event) {
    std::optional<uint16_t> code;
    for (const auto& [qtKey, label] : kComputerKeys) {
        if (event->key() == qtKey)
            code = keyboard_.Code(label);
    }
    if (const QString text = event->text().toUpper(); !code && text.size() == 1 && text[0] != ' ')
        code = keyboard_.Code(text.toStdString());
    if (code)
        Press(*code);
    else
        QWidget::keyPressEvent(event);
}

#pragma once
// The simulator's window: the display drawn like the terminal's LCD, the
// keyboard as buttons, and the computer's keyboard typing on it too.
#include <QLabel>
#include <QWidget>

#include <cstdint>

class Keyboard;
class SimulatedTerminal;
class TerminalServer;

class TerminalWindow : public QWidget {
public:
    TerminalWindow(SimulatedTerminal& terminal, TerminalServer& server, const Keyboard& keyboard,
                   const QString& listenAddress);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateDisplay();
    void CreateKeyboard();
    void StartServing();
    void ShowDisplay();
    void ShowConnection();
    void Press(uint16_t code);

    SimulatedTerminal& terminal_;
    TerminalServer& server_;
    const Keyboard& keyboard_;
    QString listenAddress_;
    QLabel* display_ = nullptr;
    QLabel* connection_ = nullptr;
};

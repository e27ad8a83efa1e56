#include "TerminalFarm.h"

#include "DisplayDecoder.h"
#include "KeyCodeStream.h"

#include <arpa/inet.h>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <random>
#include <stdexcept>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = TerminalFarm::Clock;

constexpr uint16_t kEnter = 13;
// How long the opening Enters wait for terminals still typing their "C".
constexpr std::chrono::seconds kOpeningWait{60};

enum class Phase {
    Starting,   // no prompt shown yet
    Idle,       // the prompt is shown; the next command waits for its time
    Typing,     // keys sent, waiting to see them on the display
    Ready,      // the opening command typed, waiting for the others
    Answering,  // Enter sent, waiting for the reply
    Showing,    // the reply is on the display until the prompt comes back
};

bool IsReply(const std::string& screen) {
    return screen.size() >= 4 && std::isdigit(static_cast<unsigned char>(screen[0])) &&
           std::isdigit(static_cast<unsigned char>(screen[1])) && std::isdigit(static_cast<unsigned char>(screen[2])) &&
           screen[3] == '-';
}

bool IsPrompt(const std::string& screen) { return screen.starts_with("Comanda") && screen.ends_with(":"); }

int Listen(const TerminalFarm::Terminal& terminal) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(terminal.port));
    inet_pton(AF_INET, terminal.address.c_str(), &address.sin_addr);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 4) != 0) {
        close(fd);
        throw std::runtime_error("cannot listen at " + terminal.address + ":" + std::to_string(terminal.port));
    }
    return fd;
}

}  // namespace

struct TerminalFarm::State {
    struct Simulated {
        Terminal terminal;
        int listening = -1;
        int connection = -1;
        DisplayDecoder decoder{Framing::StxEtx};
        std::string screen;  // every text written since the last clear
        std::string outgoing;
        Phase phase = Phase::Starting;
        Reply pending;
        Clock::time_point enterAt;
        Clock::time_point nextAt;
        bool opened = false;
        bool afterOpening = false;  // the next command is the first after the opening
        int items = 0;
        std::minstd_rand random;
    };

    std::vector<Simulated> terminals;
    std::unique_ptr<std::atomic<Clock::rep>[]> serving;
    std::string barcode;
    std::chrono::milliseconds pacing;
    int epoll = -1;
    std::atomic<bool> begun{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> ended{false};
    std::atomic<int> openingsAnswered{0};
    std::atomic<bool> quiet{false};  // stopping, and no command waits for its reply
    Clock::time_point begunAt;
    bool openingReleased = false;
    std::vector<Reply> replies;
    std::thread thread;

    void Run();
    void Accept(Simulated& t);
    void Receive(Simulated& t, Clock::time_point now);
    void Look(Simulated& t, Clock::time_point now);
    void StartCommand(Simulated& t);
    void PressEnter(Simulated& t, Clock::time_point now);
    void Send(Simulated& t, const std::string& bytes);
    void Flush(Simulated& t);
    void Drop(Simulated& t);
    bool Busy() const;
};

TerminalFarm::TerminalFarm(std::vector<Terminal> terminals, std::string barcode, std::chrono::milliseconds pacing)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.barcode = std::move(barcode);
    s.pacing = pacing;
    s.epoll = epoll_create1(EPOLL_CLOEXEC);
    s.serving = std::make_unique<std::atomic<Clock::rep>[]>(terminals.size());
    s.terminals.resize(terminals.size());
    for (size_t i = 0; i < terminals.size(); ++i) {
        auto& t = s.terminals[i];
        t.terminal = terminals[i];
        t.random.seed(static_cast<unsigned>(i + 1));
        t.listening = Listen(t.terminal);
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = i * 2;
        epoll_ctl(s.epoll, EPOLL_CTL_ADD, t.listening, &event);
    }
    s.thread = std::thread([&s] { s.Run(); });
}

TerminalFarm::~TerminalFarm() {
    state_->ended = true;
    if (state_->thread.joinable())
        state_->thread.join();
    for (auto& t : state_->terminals) {
        state_->Drop(t);
        close(t.listening);
    }
    close(state_->epoll);
}

std::vector<std::optional<Clock::time_point>> TerminalFarm::Serving() const {
    std::vector<std::optional<Clock::time_point>> serving;
    for (size_t i = 0; i < state_->terminals.size(); ++i) {
        const Clock::rep at = state_->serving[i].load();
        serving.push_back(at == 0 ? std::nullopt : std::optional(Clock::time_point(Clock::duration(at))));
    }
    return serving;
}

void TerminalFarm::Begin() { state_->begun = true; }

int TerminalFarm::OpeningsAnswered() const { return state_->openingsAnswered; }

std::vector<TerminalFarm::Reply> TerminalFarm::Finish(std::chrono::milliseconds limit, int& unanswered) {
    State& s = *state_;
    s.stopping = true;
    const auto until = Clock::now() + limit;
    while (Clock::now() < until && !s.quiet)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    s.ended = true;
    s.thread.join();
    unanswered = 0;
    for (auto& t : s.terminals) {
        if (t.phase == Phase::Answering) {
            ++unanswered;
            s.replies.push_back(t.pending);
        }
        if (t.phase == Phase::Showing) {  // its prompt did not come back in time: the reply as it stands
            t.pending.text = t.screen;
            s.replies.push_back(t.pending);
        }
    }
    return std::move(s.replies);
}

bool TerminalFarm::State::Busy() const {
    for (const auto& t : terminals)
        if (t.phase == Phase::Answering || t.phase == Phase::Showing)
            return true;
    return false;
}

void TerminalFarm::State::Run() {
    std::vector<epoll_event> events(256);
    while (!ended) {
        const int count = epoll_wait(epoll, events.data(), static_cast<int>(events.size()), 5);
        const auto now = Clock::now();
        for (int e = 0; e < count; ++e) {
            auto& t = terminals[events[e].data.u64 / 2];
            if (events[e].data.u64 % 2 == 0)
                Accept(t);
            else
                Receive(t, now);
        }
        if (begun && begunAt == Clock::time_point())
            begunAt = now;
        if (stopping)
            quiet = !Busy();
        size_t ready = 0;
        for (auto& t : terminals) {
            if (t.phase == Phase::Idle && begun && !stopping && now >= t.nextAt)
                StartCommand(t);
            ready += t.phase == Phase::Ready;
            Flush(t);
        }
        // The opening Enters go out at one instant.
        if (ready > 0 && !openingReleased && (ready == terminals.size() || now - begunAt > kOpeningWait)) {
            openingReleased = true;
            for (auto& t : terminals)
                if (t.phase == Phase::Ready)
                    PressEnter(t, now);
            for (auto& t : terminals)
                Flush(t);
        }
    }
}

void TerminalFarm::State::Accept(Simulated& t) {
    const int fd = accept4(t.listening, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    Drop(t);  // a new connection takes the terminal's line, as on a real one
    t.connection = fd;
    t.decoder = DisplayDecoder(Framing::StxEtx);
    t.screen.clear();
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = static_cast<uint64_t>(&t - terminals.data()) * 2 + 1;
    epoll_ctl(epoll, EPOLL_CTL_ADD, fd, &event);
}

void TerminalFarm::State::Drop(Simulated& t) {
    if (t.connection < 0)
        return;
    epoll_ctl(epoll, EPOLL_CTL_DEL, t.connection, nullptr);
    close(t.connection);
    t.connection = -1;
    t.outgoing.clear();
}

void TerminalFarm::State::Receive(Simulated& t, Clock::time_point now) {
    char buffer[4096];
    const ssize_t got = read(t.connection, buffer, sizeof buffer);
    if (got <= 0) {
        if (got == 0 || (errno != EAGAIN && errno != EINTR))
            Drop(t);
        return;
    }
    for (const auto& command : t.decoder.Feed(std::string_view(buffer, static_cast<size_t>(got)))) {
        if (command.kind == DisplayCommand::Kind::Clear) {
            if (t.phase == Phase::Showing) {  // the reply's time is over
                t.pending.text = t.screen;
                replies.push_back(t.pending);
                t.phase = Phase::Idle;  // once the prompt shows
                t.nextAt = Clock::time_point::max();
            }
            t.screen.clear();
        } else if (command.kind == DisplayCommand::Kind::Write) {
            t.screen += command.text;
        }
    }
    Look(t, now);
}

void TerminalFarm::State::Look(Simulated& t, Clock::time_point now) {
    const size_t index = static_cast<size_t>(&t - terminals.data());
    if (IsPrompt(t.screen) && serving[index].load() == 0)
        serving[index] = now.time_since_epoch().count();
    switch (t.phase) {
    case Phase::Starting:
        if (IsPrompt(t.screen)) {
            t.phase = Phase::Idle;
            t.nextAt = now;
        }
        break;
    case Phase::Idle:
        if (t.nextAt == Clock::time_point::max() && IsPrompt(t.screen)) {
            // The openings went out at one instant; from then on the
            // terminals work out of step, as a shop's staff do: the first
            // command after the opening anywhere within one pacing, each
            // later one up to a tenth of it late.
            const long most = t.afterOpening ? pacing.count() : pacing.count() / 10;
            t.afterOpening = false;
            const auto spread = std::uniform_int_distribution<long>(0, most)(t.random);
            t.nextAt = std::max(now, t.enterAt + pacing + std::chrono::milliseconds(spread));
        }
        break;
    case Phase::Typing:
        if (t.screen.starts_with("Comanda") && t.screen.ends_with(t.pending.command)) {
            if (t.opened)
                PressEnter(t, now);
            else
                t.phase = Phase::Ready;
        }
        break;
    case Phase::Answering:
        if (IsReply(t.screen)) {
            t.pending.milliseconds = std::chrono::duration<double, std::milli>(now - t.enterAt).count();
            t.phase = Phase::Showing;
            openingsAnswered += t.pending.command.starts_with("C");
        }
        break;
    case Phase::Ready:
    case Phase::Showing: break;
    }
}

void TerminalFarm::State::StartCommand(Simulated& t) {
    std::string command;
    if (!t.opened) {
        command = "C" + std::to_string(t.terminal.tab);
    } else {
        const int draw = std::uniform_int_distribution<int>(0, 99)(t.random);
        command = t.items == 0 || draw < 70 ? barcode : draw < 85 ? "Q2" : "V";
        t.items += command == barcode;
    }
    t.pending = Reply{t.terminal.tab, command, {}, 0};
    for (char key : command)
        Send(t, EncodeKeyCode(static_cast<uint8_t>(key)));
    t.phase = Phase::Typing;
}

void TerminalFarm::State::PressEnter(Simulated& t, Clock::time_point now) {
    Send(t, EncodeKeyCode(kEnter));
    t.enterAt = now;
    t.afterOpening = !t.opened;
    t.opened = true;
    t.phase = Phase::Answering;
}

void TerminalFarm::State::Send(Simulated& t, const std::string& bytes) { t.outgoing += bytes; }

void TerminalFarm::State::Flush(Simulated& t) {
    if (t.connection < 0 || t.outgoing.empty())
        return;
    const ssize_t sent = write(t.connection, t.outgoing.data(), t.outgoing.size());
    if (sent > 0)
        t.outgoing.erase(0, static_cast<size_t>(sent));
}

// What the service publishes for `Quorvel --status`: a terminal's last
// command read from its status panel, its line, and the file the lines are
// published in, with the folder lock that tells a running service from a
// file left behind.
#include "HeadlessOutput.h"
#include "ServiceStateFile.h"
#include "ServiceStatePublisher.h"
#include "ServiceStateText.h"
#include "TemporaryFolder.h"
#include "TerminalActivity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = TerminalActivity::Clock;

// A local time today, as the lines print it ("%d/%m %H:%M:%S").
Clock::time_point TodayAt(int hour, int minute, int second) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    return Clock::from_time_t(std::mktime(&local));
}

std::string Today(const char* time) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char day[8];
    std::strftime(day, sizeof day, "%d/%m", &local);
    return std::string(day) + " " + time;
}

TEST(TerminalActivity, TakesTheCommandItsReplyCodeAndTheOpenTabFromTheStatusPanel) {
    const struct {
        const char* status;
        const char* prompt;
        const char* command;
        const char* code;
        const char* tab;
    } cases[] = {
        {"Comando: C12 / Retorno:000-A COMANDA 12 FOI CRIADA!", "Comanda 12:", "C12", "000", "12"},
        {"Comando: 7891000100110 / Retorno:003-PRODUTO N\xC3\x83O ENCONTRADO", "Comanda 12:", "7891000100110", "003",
         "12"},
        {"Comando: X / Retorno:900-ERRO! O COMANDO N\xC3\x83O FOI EXECUTADO!", "Comanda:", "X", "900", ""},
        {"Comando: Q / Retorno:", "Comanda:", "Q", "", ""},
        {"Comando:  / Retorno:OK", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        TerminalActivityRecord record;
        record.NoteCommand(c.status, c.prompt);
        const TerminalActivity activity = record.Read();
        ASSERT_TRUE(activity.commandAt);
        EXPECT_EQ(activity.command, c.command);
        EXPECT_EQ(activity.replyCode, c.code);
        EXPECT_EQ(activity.openTab, c.tab);
    }

    TerminalActivityRecord record;
    record.NoteCommand("Comando: C12 / Retorno:000-A COMANDA 12 FOI CRIADA!", "Comanda 12:");
    for (const char* other : {"conex\xC3\xA3o realizada com sucesso, aguardando comandos...", "terminal desconectado"})
        record.NoteCommand(other, "Comanda:");
    EXPECT_EQ(record.Read().command, "C12");
    EXPECT_EQ(record.Read().openTab, "12");
}

TEST(TerminalActivity, ErrorBoxesOfATerminalsThreadGoToItsRecordOnly) {
    TerminalActivityRecord record;
    EXPECT_EQ(TerminalActivityRecord::OfThisThread(), nullptr);
    {
        const TerminalActivityRecord::OnThisThread scope(record);
        EXPECT_EQ(TerminalActivityRecord::OfThisThread(), &record);
        std::thread([] { EXPECT_EQ(TerminalActivityRecord::OfThisThread(), nullptr); }).join();
    }
    EXPECT_EQ(TerminalActivityRecord::OfThisThread(), nullptr);
}

TEST(ServiceStateText, OneLineTellsWhatATerminalIsDoing) {
    TerminalActivity busy;
    busy.command = "C12";
    busy.replyCode = "000";
    busy.commandAt = TodayAt(14, 5, 1);
    busy.openTab = "12";
    busy.error = "Erro: N\xC3\xA3o foi poss\xC3\xADvel estabelecer comunica\xC3\xA7\xC3\xA3o com o terminal!";
    busy.errorAt = TodayAt(14, 4, 0);
    TerminalActivity noCode;
    noCode.command = "Q";
    noCode.commandAt = TodayAt(9, 0, 0);
    const struct {
        TerminalState state;
        std::string line;
    } cases[] = {
        {{0, "0=10.0.0.21", "conectado", busy},
         "terminal 0 10.0.0.21: conectado desde " + Today("14:03:05") +
             " \xC2\xB7 comanda 12 \xC2\xB7 \xC3\xBAltimo "
             "comando C12, resposta 000, " +
             Today("14:05:01") + " \xC2\xB7 \xC3\xBAltimo erro " + Today("14:04:00") +
             " Erro: N\xC3\xA3o foi poss\xC3\xADvel estabelecer comunica\xC3\xA7\xC3\xA3o com o terminal!"},
        {{3, "5=10.0.0.22", "sem resposta", {}}, "terminal 3 10.0.0.22: sem resposta desde " + Today("14:03:05")},
        {{1, "1=caixa.loja", "parado", noCode},
         "terminal 1 caixa.loja: parado desde " + Today("14:03:05") + " \xC2\xB7 \xC3\xBAltimo comando Q, " +
             Today("09:00:00")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TerminalStateText(c.state, TodayAt(14, 3, 5)), c.line);
}

class ServiceStateFolder : public ::testing::Test {
protected:
    TemporaryFolder folder{"service-state"};
    // As the package lays it out: the name beside the program is a link
    // into the service's runtime folder.
    const fs::path runtime = folder.Path() / "run";
    const fs::path link = folder.Path() / "estado.txt";
    const fs::path target = runtime / "estado.txt";

    void SetUp() override {
        fs::create_directories(runtime);
        fs::create_symlink(target, link);
    }
};

TEST_F(ServiceStateFolder, AFileLeftByAServiceThatIsGoneIsNoRunningService) {
    EXPECT_EQ(ReadPublishedState(link.string()), std::nullopt) << "nothing published yet";
    {
        ServiceStateFile service(link.string());
        ASSERT_TRUE(service.Claim());
        EXPECT_EQ(ReadPublishedState(link.string()), std::string()) << "running, nothing published yet";
        service.Replace("terminal 0 127.0.0.1: conectado\n");
        EXPECT_TRUE(fs::is_symlink(link)) << "the file is replaced where the link leads";
        EXPECT_EQ(ReadPublishedState(link.string()), "terminal 0 127.0.0.1: conectado\n");
        struct stat status {};
        ASSERT_EQ(stat(target.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0640u);

        ServiceStateFile second(link.string());
        EXPECT_FALSE(second.Claim()) << "a second service in the folder";
    }
    EXPECT_FALSE(fs::exists(target)) << "a stopped service leaves no state";

    // A service that was killed leaves its file behind, and no lock.
    std::ofstream(target) << "terminal 0 127.0.0.1: conectado\n";
    EXPECT_EQ(ReadPublishedState(link.string()), std::nullopt);
    fs::remove_all(runtime);
    EXPECT_EQ(ReadPublishedState(link.string()), std::nullopt) << "the runtime folder goes with the service";
}

TEST_F(ServiceStateFolder, PublishesOnlyWhenALineChangedAndKeepsSinceWhileTheStateLasts) {
    std::ostringstream status;
    std::ostringstream messages;
    HeadlessOutput output(status, messages);
    ServiceStatePublisher publisher(link.string(), output);
    const auto inode = [this] {
        struct stat file {};
        return stat(target.c_str(), &file) == 0 ? file.st_ino : 0;
    };
    const auto published = [this] { return ReadPublishedState(link.string()).value_or("(none)"); };

    std::vector<TerminalState> terminals{{0, "0=127.0.0.1", "iniciando", {}}, {1, "1=127.0.0.2", "iniciando", {}}};
    publisher.Publish(terminals);
    const std::string first = published();
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 2) << first;
    const auto firstInode = inode();
    publisher.Publish(terminals);
    EXPECT_EQ(inode(), firstInode) << "rewritten with nothing changed";

    terminals[1].condition = "conectado";
    publisher.Publish(terminals);
    const std::string second = published();
    EXPECT_EQ(second.substr(0, second.find('\n')), first.substr(0, first.find('\n')))
        << "terminal 0's line, since included, stays";
    EXPECT_NE(second.find("terminal 1 127.0.0.2: conectado desde "), std::string::npos) << second;
    EXPECT_EQ(messages.str(), "");

    ServiceStatePublisher another(link.string(), output);
    another.Publish(terminals);
    another.Publish(terminals);
    EXPECT_EQ(status.str(),
              "estado do servi\xC3\xA7o n\xC3\xA3o publicado: outro servi\xC3\xA7o em execu\xC3\xA7\xC3\xA3o "
              "publica o seu em " +
                  target.string() + "\n");
    EXPECT_EQ(messages.str(), "");
}

TEST_F(ServiceStateFolder, AStateThatCannotBePublishedIsOneWarningAndTheServiceGoesOn) {
    fs::remove_all(runtime);
    std::ostringstream status;
    std::ostringstream messages;
    HeadlessOutput output(status, messages);
    ServiceStatePublisher publisher(link.string(), output);
    std::vector<TerminalState> terminals{{0, "0=127.0.0.1", "iniciando", {}}};
    publisher.Publish(terminals);
    terminals[0].condition = "conectado";
    publisher.Publish(terminals);
    EXPECT_EQ(messages.str(),
              "estado do servi\xC3\xA7o n\xC3\xA3o publicado: n\xC3\xA3o foi poss\xC3\xADvel abrir a "
              "pasta " +
                  runtime.string() + ": No such file or directory\n");

    fs::create_directories(runtime);
    publisher.Publish(terminals);
    EXPECT_NE(ReadPublishedState(link.string()).value_or("").find("conectado"), std::string::npos)
        << "published once the folder is there";
}

}  // namespace

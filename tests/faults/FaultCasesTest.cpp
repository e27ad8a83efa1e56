// Two faults a shop met, as fixed schedules on the built service: what the
// terminal shows must be true whatever the database link does.
#include "FaultRunner.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

using namespace std::chrono_literals;

FaultStep Keys(const std::string& keys) {
    FaultStep step;
    step.keys = keys;
    return step;
}

FaultStep Add(int product) { return Keys(ProductBarcode(product) + "<13>"); }

std::string Report(const FaultRunner& runner, const FaultRig& rig) {
    std::string text = runner.Tally() + "\n";
    for (const auto& violation : runner.Violations())
        text += "violation: " + violation + "\n";
    return text + "service output:\n" + rig.ProgramOutput() + "service errors:\n" + rig.ProgramErrors();
}

// The reply the service gave to a command line.
std::string ReplyTo(const FaultRunner& runner, const std::string& command) {
    for (const Exchange& exchange : runner.ExchangesOf(0))
        if (exchange.command == command)
            return exchange.reply;
    return "";
}

class FaultCases : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Started(120s)) << rig.ProgramOutput() << rig.ProgramErrors(); }

    FaultRig rig{1, 10};
    FaultRunner runner{rig};
};

TEST_F(FaultCases, CommitStoredAnswerLostAndServerRefusingShowsTheAddAsDoneAndStoresItOnce) {
    FaultStep hit;
    hit.kind = FaultStep::Kind::CommitHit;
    hit.fate = FaultProxy::PacketFate::AnswerLost;
    hit.span = 5000;  // new connections refused for 5 s from the commit on
    hit.keys = ProductBarcode(1) + "<13>|" + ProductBarcode(2) + "<13>|" + ProductBarcode(3) + "<13>";
    runner.Run(Keys("C101<13>"));
    runner.Run(hit);
    runner.Finish();

    EXPECT_EQ(runner.Faults("commit-answer-lost"), 1) << Report(runner, rig);
    EXPECT_EQ(ReplyCode(ReplyTo(runner, ProductBarcode(3))), "000") << Report(runner, rig);
    EXPECT_EQ(rig.Store().Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger(), 3);
    EXPECT_TRUE(runner.Violations().empty()) << Report(runner, rig);
}

TEST_F(FaultCases, SigtermWhileTheLinkStallsEndsTheServiceWithAReplyOnTheTerminal) {
    FaultStep stall;
    stall.kind = FaultStep::Kind::Stall;
    stall.ms = 20000;
    FaultStep signal;
    signal.kind = FaultStep::Kind::Signal;
    signal.ms = 2000;
    runner.Run(Keys("C101<13>"));
    runner.Run(Add(1));
    FaultStep settle;
    settle.kind = FaultStep::Kind::Settle;
    runner.Run(settle);
    runner.Run(stall);
    runner.Run(Add(2));
    runner.Run(signal);
    runner.Finish();

    ASSERT_TRUE(runner.StopSeconds()) << Report(runner, rig);
    std::cout << "stopped " << *runner.StopSeconds() << " s after SIGTERM\n";
    // It did not wait for the link: the stall still held every byte.
    EXPECT_TRUE(runner.StoppedWhileStalled()) << "stopped after " << *runner.StopSeconds() << " s\n"
                                              << Report(runner, rig);
    const std::string reply = ReplyTo(runner, ProductBarcode(2));
    EXPECT_NE(ReplyCode(reply), "?") << Report(runner, rig);
    const std::string code = ReplyCode(reply);
    if (code != "000" && code != "900") {  // the outcome unknown: the service's last lines name the command
        EXPECT_NE(rig.ProgramErrors().find(ProductBarcode(2)), std::string::npos) << Report(runner, rig);
    }
    EXPECT_TRUE(runner.Violations().empty()) << Report(runner, rig);
}

}  // namespace

#include "ChangeListeners.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Listeners a, b and c, added in that order, write their letter to `calls`.
struct Listeners {
    ChangeListeners list;
    int a = 0, b = 0, c = 0;
    std::string calls;
};

// What listener a does during the first notice.
struct DuringNoticeCase {
    const char* step;
    void (*act)(Listeners&);
    std::string firstNotice;
    std::string secondNotice;
};

const DuringNoticeCase kDuringNotice[] = {
    {"nothing", [](Listeners&) {}, "abc", "abc"},
    {"a removes itself", [](Listeners& l) { l.list.Remove(l.a); }, "abc", "bc"},
    {"a removes b", [](Listeners& l) { l.list.Remove(l.b); }, "ac", "ac"},
    {"a removes c", [](Listeners& l) { l.list.Remove(l.c); }, "ab", "ab"},
    {"a adds d", [](Listeners& l) { l.list.Add([&l] { l.calls += 'd'; }); }, "abc", "abcd"},
};

// A removed listener is never called again, even later in the same notice
// (its owner may have been destroyed by the one that removed it); an added
// one waits for the next notice.
TEST(ChangeListeners, RemovalsCountAtOnceAdditionsFromTheNextNotice) {
    for (const auto& c : kDuringNotice) {
        SCOPED_TRACE(c.step);
        Listeners l;
        bool first = true;
        l.a = l.list.Add([&] {
            l.calls += 'a';
            if (first)
                c.act(l);
        });
        l.b = l.list.Add([&] { l.calls += 'b'; });
        l.c = l.list.Add([&] { l.calls += 'c'; });

        l.list.Notify();
        EXPECT_EQ(l.calls, c.firstNotice);
        first = false;
        l.calls.clear();
        l.list.Notify();
        EXPECT_EQ(l.calls, c.secondNotice);
    }
}

TEST(ChangeListeners, AnIdRemovesOnlyItsOwnListener) {
    ChangeListeners list;
    std::string calls;
    const int removed = list.Add([&] { calls += 'a'; });
    list.Remove(removed);
    const int kept = list.Add([&] { calls += 'b'; });
    EXPECT_NE(kept, removed);
    list.Remove(removed);
    list.Remove(kept + 1);
    list.Notify();
    EXPECT_EQ(calls, "b");
}

}  // namespace

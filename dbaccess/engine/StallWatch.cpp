#include "StallWatch.h"

#include "FirebirdClient.h"

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kLookEvery{250};

// The connections watched, each with a reference of its own to its
// attachment: closing the client side of one that is being detached that
// instant finds the interface still there.
class Watched {
public:
    void Add(Database::Handles& connection) {
        connection.inFlight.aborted = false;
        connection.attachment->addRef();
        const std::lock_guard lock(mutex_);
        attachments_[&connection] = connection.attachment.get();
        if (!looking_) {
            looking_ = true;
            std::thread([this] { Look(); }).detach();
        }
    }

    void Remove(Database::Handles& connection) {
        Firebird::IAttachment* attachment = nullptr;
        {
            const std::lock_guard lock(mutex_);
            const auto found = attachments_.find(&connection);
            if (found == attachments_.end())
                return;
            attachment = found->second;
            attachments_.erase(found);
        }
        attachment->release();
    }

    void Abort(Database::Handles& connection) {
        const std::lock_guard lock(mutex_);
        const auto found = attachments_.find(&connection);
        if (found != attachments_.end())
            AbortLocked(*found->first, *found->second);
    }

private:
    static void AbortLocked(Database::Handles& connection, Firebird::IAttachment& attachment) {
        connection.inFlight.aborted = true;
        try {
            FirebirdClient::Call(
                [&](Firebird::ThrowStatusWrapper& status) { attachment.cancelOperation(&status, fb_cancel_abort); });
        } catch (...) {
            // Already closed: nothing is left to end.
        }
    }

    // Runs for the rest of the process.
    [[noreturn]] void Look() {
        const auto bound = std::chrono::duration_cast<Clock::duration>(Database::StalledCallBound).count();
        for (;;) {
            std::this_thread::sleep_for(kLookEvery);
            const std::lock_guard lock(mutex_);
            const auto now = Clock::now().time_since_epoch().count();
            for (auto& [connection, attachment] : attachments_) {
                const auto since = connection->inFlight.since.load(std::memory_order_relaxed);
                if (since != 0 && now - since > bound && !connection->inFlight.aborted)
                    AbortLocked(*connection, *attachment);
            }
        }
    }

    std::mutex mutex_;
    std::map<Database::Handles*, Firebird::IAttachment*> attachments_;
    bool looking_ = false;
};

// Never destroyed: its thread may still look while the process ends.
Watched& TheWatch() {
    static Watched* const watch = new Watched;
    return *watch;
}

}  // namespace

namespace StallWatch {

void Watch(Database::Handles& connection) { TheWatch().Add(connection); }

void Unwatch(Database::Handles& connection) noexcept { TheWatch().Remove(connection); }

void Abort(Database::Handles& connection) noexcept { TheWatch().Abort(connection); }

}  // namespace StallWatch

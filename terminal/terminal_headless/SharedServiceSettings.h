#pragma once
// The settings every terminal of the service reads at each key, replaced
// whole when the service reads its files again: a terminal's thread sees
// either the old settings or the new ones, never a mix.
#include "ServiceSettings.h"

#include <memory>
#include <mutex>

class SharedServiceSettings {
public:
    explicit SharedServiceSettings(ServiceSettings settings = {});

    std::shared_ptr<const ServiceSettings> Current() const;
    void Replace(ServiceSettings settings);

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const ServiceSettings> current_;
};

#include "SharedServiceSettings.h"

SharedServiceSettings::SharedServiceSettings(ServiceSettings settings)
    : current_(std::make_shared<const ServiceSettings>(std::move(settings))) {}

std::shared_ptr<const ServiceSettings> SharedServiceSettings::Current() const {
    const std::lock_guard lock(mutex_);
    return current_;
}

void SharedServiceSettings::Replace(ServiceSettings settings) {
    auto replacement = std::make_shared<const ServiceSettings>(std::move(settings));
    const std::lock_guard lock(mutex_);
    current_ = std::move(replacement);
}

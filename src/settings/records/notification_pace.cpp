#include "settings/records/notification_pace.h"

#include <algorithm>

namespace stilvane {

namespace {

bool Within(std::int64_t then, std::int64_t now, std::int64_t seconds) {
    return now >= then && now - then < seconds;
}

} // namespace

bool NotificationPace::Allow(const std::string& site, std::int64_t now) {
    std::erase_if(told_, [&](const auto& told) {
        return !Within(told.second, now, kNotificationSecondsPerSite);
    });
    if ((last_ && Within(*last_, now, kNotificationSecondsInAll)) ||
        std::any_of(told_.begin(), told_.end(),
                    [&](const auto& told) { return told.first == site; }))
        return false;
    last_ = now;
    told_.emplace_back(site, now);
    return true;
}

} // namespace stilvane

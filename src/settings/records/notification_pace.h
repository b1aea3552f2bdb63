// How often the controller may tell the user that a popup was blocked: at
// most once a site every ten minutes and once a minute in all, so that a
// page that tries fifty popups gives one notification. Platform-free: the
// clock is handed in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace stilvane {

constexpr std::int64_t kNotificationSecondsPerSite = 600;
constexpr std::int64_t kNotificationSecondsInAll = 60;

class NotificationPace {
public:
    // Whether a notification for `site` may be shown at `now` (in seconds);
    // a yes counts it as shown. A clock set back counts as time gone by.
    bool Allow(const std::string& site, std::int64_t now);

private:
    std::optional<std::int64_t> last_;
    // The sites told of within the last ten minutes: ten at most.
    std::vector<std::pair<std::string, std::int64_t>> told_;
};

} // namespace stilvane

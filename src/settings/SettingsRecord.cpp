#include "settings/SettingsRecord.h"

#include <variant>

#include "core/Core.h"
#include "output/ScrollPositions.h"
#include "state/SharedState.h"

namespace {

using Member = std::variant<bool SettingsRecord::*, int SettingsRecord::*, Gdiplus::ARGB SettingsRecord::*,
                            std::string SettingsRecord::*, PictureFit SettingsRecord::*>;

struct Key {
    const char* name;
    bool optIn;
    Member member;
    // An int out of this range reads as 0, the key's "off".
    bool (*accepted)(int) = nullptr;
};

// The keys in the order a save writes them: the seven settings, then the opt-in keys.
const Key kKeys[] = {
    {"on", false, &SettingsRecord::on},
    {"width", false, &SettingsRecord::width},
    {"height", false, &SettingsRecord::height},
    {"clrbg", false, &SettingsRecord::clrbg},
    {"clrfont", false, &SettingsRecord::clrfont},
    {"dispbtm", false, &SettingsRecord::dispbtm},
    {"interval", false, &SettingsRecord::interval},
    {"restoreplace", true, &SettingsRecord::restorePlace},
    {"reload", true, &SettingsRecord::reloadSeconds, ReloadAccepted},
    {"fit", true, &SettingsRecord::fit},
    {"scroll", true, &SettingsRecord::scroll, ScrollSpeedAccepted},
    {"hours", true, &SettingsRecord::hours},
};

// Where the output was left: a corner is both of its numbers, a monitor its name and both offsets.
const char kPlaceX[] = "placex";
const char kPlaceY[] = "placey";
const char kPlaceMonitor[] = "placemonitor";
const char kPlaceOffsetX[] = "placeoffsetx";
const char kPlaceOffsetY[] = "placeoffsety";

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

void ReadKey(const CCore& core, const Key& key, SettingsRecord& record) {
    std::visit(Overloaded{
                   [&](bool SettingsRecord::*flag) { record.*flag = core.getConfigB(key.name); },
                   [&](int SettingsRecord::*number) {
                       int value = 0;
                       const bool read = core.getConfigInt(key.name, value);
                       record.*number = read && (key.accepted == nullptr || key.accepted(value)) ? value : 0;
                   },
                   [&](Gdiplus::ARGB SettingsRecord::*colour) { record.*colour = core.getConfigClr(key.name); },
                   [&](std::string SettingsRecord::*text) { record.*text = core.getConfigStr(key.name); },
                   [&](PictureFit SettingsRecord::*fit) { record.*fit = ParsePictureFit(core.getConfigStr(key.name)); },
               },
               key.member);
}

void SaveKey(CCore& core, const Key& key, const SettingsRecord& record) {
    std::visit(Overloaded{
                   [&](bool SettingsRecord::*flag) { core.saveConfigB(key.name, record.*flag); },
                   [&](int SettingsRecord::*number) { core.saveConfigInt(key.name, record.*number); },
                   [&](Gdiplus::ARGB SettingsRecord::*colour) { core.saveConfigClr(key.name, record.*colour); },
                   [&](std::string SettingsRecord::*text) { core.saveConfigStr(key.name, record.*text); },
                   [&](PictureFit SettingsRecord::*fit) { core.saveConfigStr(key.name, PictureFitName(record.*fit)); },
               },
               key.member);
}

bool SameKey(const Key& key, const SettingsRecord& one, const SettingsRecord& other) {
    return std::visit([&](auto member) { return one.*member == other.*member; }, key.member);
}

bool SamePlace(const SettingsRecord& one, const SettingsRecord& other) {
    const auto samePoint = [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; };
    if (one.corner.has_value() != other.corner.has_value() || one.home.has_value() != other.home.has_value()) {
        return false;
    }
    return (!one.corner || samePoint(*one.corner, *other.corner)) &&
           (!one.home || (one.home->monitor == other.home->monitor && samePoint(one.home->offset, other.home->offset)));
}

}  // namespace

bool ReloadAccepted(int seconds) { return seconds >= 1 && seconds <= kLongestReloadSeconds; }

bool SettingsRecord::operator==(const SettingsRecord& other) const {
    for (const Key& key : kKeys) {
        if (!SameKey(key, *this, other)) return false;
    }
    return SamePlace(*this, other);
}

SettingsRecord SettingsRecord::Read(const CCore& core) {
    SettingsRecord record;
    for (const Key& key : kKeys) ReadKey(core, key, record);
    if (!record.restorePlace) return record;
    int x = 0, y = 0;
    if (core.getConfigInt(kPlaceX, x) && core.getConfigInt(kPlaceY, y)) record.corner = POINT{x, y};
    const std::string monitor = core.getConfigStr(kPlaceMonitor);
    if (!monitor.empty() && core.getConfigInt(kPlaceOffsetX, x) && core.getConfigInt(kPlaceOffsetY, y)) {
        record.home = HomePlace{monitor, POINT{x, y}};
    }
    return record;
}

FileWrite SettingsRecord::Save(CCore& core, Extra extra) const {
    CCore::SaveBatch oneWrite(core);
    for (const Key& key : kKeys) {
        if (!key.optIn || extra == Extra::OptIn) SaveKey(core, key, *this);
    }
    if (extra == Extra::Place && corner) {
        core.saveConfigInt(kPlaceX, corner->x);
        core.saveConfigInt(kPlaceY, corner->y);
        if (home) {
            core.saveConfigStr(kPlaceMonitor, home->monitor);
            core.saveConfigInt(kPlaceOffsetX, home->offset.x);
            core.saveConfigInt(kPlaceOffsetY, home->offset.y);
        }
    }
    return oneWrite.commit();
}

void SettingsRecord::HandToShow() const {
    SharedState::on = on ? 1 : 0;
    SharedState::width = width;
    SharedState::height = height;
    SharedState::clrbg = clrbg;
    SharedState::clrfont = clrfont;
    SharedState::dispbtm = dispbtm;
    SharedState::interval = interval;
    SharedState::fit = fit;
    SharedState::scroll = scroll;
}

std::optional<SettingsRecord::Refusal> SettingsRecord::Refused() const {
    if (width < 100 || width > 8000) return Refusal{"输出显示宽度必须是100到8000之间的整数", &SettingsRecord::width};
    if (height < 100 || height > 4320) return Refusal{"输出显示高度必须是100到4320之间的整数", &SettingsRecord::height};
    if (interval < 1) return Refusal{"轮换间隔不能小于1秒", &SettingsRecord::interval};
    return std::nullopt;
}

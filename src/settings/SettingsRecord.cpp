#include "settings/SettingsRecord.h"

#include <limits>
#include <variant>

#include "core/Core.h"
#include "output/BarClock.h"
#include "output/CrossFade.h"
#include "output/InfoBarLayout.h"
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
    {"clock", true, &SettingsRecord::clock},
    {"barsize", true, &SettingsRecord::barSize, BarTextSizeAccepted},
    {"fade", true, &SettingsRecord::fade, FadeAccepted},
    {"log", true, &SettingsRecord::runLog},
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
                   // Opaque whatever its alpha says: an invisible show is never what an edit means.
                   [&](Gdiplus::ARGB SettingsRecord::*colour) {
                       record.*colour = core.getConfigClr(key.name) | 0xFF000000u;
                   },
                   [&](std::string SettingsRecord::*text) { record.*text = core.getConfigStr(key.name); },
                   [&](PictureFit SettingsRecord::*fit) { record.*fit = ParsePictureFit(core.getConfigStr(key.name)); },
               },
               key.member);
}

void SaveKey(CCore& core, const Key& key, const SettingsRecord& record, CCore::Saving saving) {
    std::visit(Overloaded{
                   [&](bool SettingsRecord::*flag) { core.saveConfigB(key.name, record.*flag, saving); },
                   [&](int SettingsRecord::*number) { core.saveConfigInt(key.name, record.*number, saving); },
                   [&](Gdiplus::ARGB SettingsRecord::*colour) {
                       core.saveConfigClr(key.name, record.*colour, saving);
                   },
                   [&](std::string SettingsRecord::*text) { core.saveConfigStr(key.name, record.*text, saving); },
                   [&](PictureFit SettingsRecord::*fit) {
                       core.saveConfigStr(key.name, PictureFitName(record.*fit), saving);
                   },
               },
               key.member);
}

bool SameKey(const Key& key, const SettingsRecord& one, const SettingsRecord& other) {
    return std::visit([&](auto member) { return one.*member == other.*member; }, key.member);
}

void CopyKey(const Key& key, const SettingsRecord& from, SettingsRecord& to) {
    std::visit([&](auto member) { to.*member = from.*member; }, key.member);
}

// What Apply refuses, in the order it checks: the output's size, then the interval.
struct Check {
    int SettingsRecord::*setting;
    int least, most;
    const char* warning;
};
const Check kChecks[] = {
    {&SettingsRecord::width, 100, 8000, "输出显示宽度必须是100到8000之间的整数"},
    {&SettingsRecord::height, 100, 4320, "输出显示高度必须是100到4320之间的整数"},
    {&SettingsRecord::interval, 1, std::numeric_limits<int>::max(), "轮换间隔不能小于1秒"},
};

const Check* RefusedCheck(const Key& key, const SettingsRecord& record) {
    const auto* number = std::get_if<int SettingsRecord::*>(&key.member);
    for (const Check& check : kChecks) {
        if (number == nullptr || *number != check.setting) continue;
        const int value = record.*check.setting;
        return value < check.least || value > check.most ? &check : nullptr;
    }
    return nullptr;
}

// The place as the store holds it, whether or not the output comes back to it.
void ReadPlace(const CCore& core, SettingsRecord& record) {
    int x = 0, y = 0;
    if (core.getConfigInt(kPlaceX, x) && core.getConfigInt(kPlaceY, y)) record.corner = POINT{x, y};
    const std::string monitor = core.getConfigStr(kPlaceMonitor);
    if (!monitor.empty() && core.getConfigInt(kPlaceOffsetX, x) && core.getConfigInt(kPlaceOffsetY, y)) {
        record.home = HomePlace{monitor, POINT{x, y}};
    }
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
    if (record.restorePlace) ReadPlace(core, record);
    return record;
}

FileWrite SettingsRecord::Save(CCore& core, Extra extra) const {
    SettingsRecord known = Read(core);
    ReadPlace(core, known);
    CCore::SaveBatch oneWrite(core);
    for (const Key& key : kKeys) {
        // The seven complete a file without them; an opt-in key is written once it is set.
        const bool changed = !SameKey(key, *this, known);
        if (changed || !key.optIn) SaveKey(core, key, *this, changed ? CCore::Saving::Changed : CCore::Saving::Unchanged);
    }
    const auto samePoint = [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; };
    if (extra == Extra::Place && corner && (!known.corner || !samePoint(*corner, *known.corner))) {
        core.saveConfigInt(kPlaceX, corner->x);
        core.saveConfigInt(kPlaceY, corner->y);
    }
    if (extra == Extra::Place && corner && home &&
        (!known.home || known.home->monitor != home->monitor || !samePoint(known.home->offset, home->offset))) {
        core.saveConfigStr(kPlaceMonitor, home->monitor);
        core.saveConfigInt(kPlaceOffsetX, home->offset.x);
        core.saveConfigInt(kPlaceOffsetY, home->offset.y);
    }
    return oneWrite.commit();
}

std::vector<SettingsRecord::KeyChange> SettingsRecord::TakeChanges(const SettingsRecord& before,
                                                                    const SettingsRecord& after) {
    std::vector<KeyChange> changes;
    for (const Key& key : kKeys) {
        if (SameKey(key, before, after)) continue;
        const Check* refused = RefusedCheck(key, after);
        if (refused == nullptr) {
            CopyKey(key, after, *this);
            changes.push_back(KeyChange{key.name, {}, {}});
        } else {
            changes.push_back(KeyChange{key.name, std::to_string(after.*refused->setting), refused->warning});
        }
    }
    return changes;
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
    SharedState::clock = ParseBarClock(clock).value_or(BarClock::None);
    SharedState::barSize = barSize;
    SharedState::fade = fade;
}

std::optional<SettingsRecord::Refusal> SettingsRecord::Refused() const {
    for (const Check& check : kChecks) {
        const int value = this->*check.setting;
        if (value < check.least || value > check.most) return Refusal{check.warning, check.setting};
    }
    return std::nullopt;
}

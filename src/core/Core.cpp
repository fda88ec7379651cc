#include "core/Core.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <utility>

#include "base/UniqueHandle.h"
#include "picture/PictureDecode.h"
#include "picture/PictureDraw.h"
#include "picture/PictureFile.h"
#include "picture/PicturePlacement.h"
#include "resource.h"
#include "store/AtomicFile.h"
#include "store/ConfigStore.h"
#include "store/StoreFormat.h"
#include "store/TextEncoding.h"

namespace {

const char kStoreFileName[] = "Placard.ini";
constexpr Gdiplus::ARGB kOpaqueBlack = 0xFF000000;
// Another program (a backup, a virus scanner, a sync tool) may hold a file for a moment.
constexpr unsigned kHeldFilePatienceMs = 1500;

std::string WithSeparator(std::string path) {
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path;
}

// The folder of the running program, as the system names it and in the program's code page.
struct ProgramFolderName {
    std::wstring wide;
    std::string ansi;
    bool usable = false;
};

// The program's text for `wide`, if its code page writes every character of it.
bool ExactAnsi(const std::wstring& wide, std::string& ansi) {
    ansi = ProgramTextFromWide(wide);
    return !wide.empty() && ProgramTextHolds(wide);
}

ProgramFolderName ProgramFolder() {
    ProgramFolderName folder;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return folder;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return folder;
        path.resize(path.size() * 2);
    }
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return folder;
    folder.wide = path.substr(0, separator + 1);
    folder.usable = ExactAnsi(folder.wide, folder.ansi);
    if (folder.usable) return folder;
    // A name such as "D:\\Łódź" outside the code page: the short name is plain ASCII where the
    // volume keeps short names.
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(folder.wide.c_str(), &shortName[0], static_cast<DWORD>(shortName.size()));
    if (length == 0 || length >= shortName.size()) return folder;
    shortName.resize(length);
    std::string ansi;
    if (ExactAnsi(shortName, ansi)) {
        folder.ansi = WithSeparator(ansi);
        folder.usable = true;
    }
    return folder;
}

std::string StorePath(const CCore& core) {
    // An unusable folder keeps no store: its settings are neither read nor written somewhere else.
    return core.appPathUsable() ? core.configPath() : std::string();
}

// The default store is kept in the resources as UTF-8; the store holds the program's text.
std::string DefaultStoreText() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_DEFAULT_STORE), RT_RCDATA);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    std::string utf8(static_cast<const char*>(data), SizeofResource(module, found));
    if (utf8.compare(0, 3, "\xEF\xBB\xBF") == 0) utf8.erase(0, 3);
    return ProgramTextFromWide(WideFromCodePage(utf8, CP_UTF8));
}

// A getter's lookup: the store file's value, then the default's, each only if it parses.
template <class T, class Parse>
T Lookup(const ConfigStore& store, const std::string& key, Parse parse, T none) {
    T value{};
    const std::string* stored = store.stored(key);
    if (stored != nullptr && parse(*stored, value)) return value;
    const std::string* defaulted = store.defaulted(key);
    if (defaulted != nullptr && parse(*defaulted, value)) return value;
    return none;
}

using UniqueFontFamily = UniqueHandle<Gdiplus::GpFontFamily*, &Gdiplus::DllExports::GdipDeleteFontFamily>;

// GDI+'s generic sans-serif family, by name: FontFamily::GenericSansSerif() would keep a
// family alive beyond the call (and beyond GDI+'s shutdown).
std::wstring GenericSansSerifName() {
    Gdiplus::GpFontFamily* native = nullptr;
    if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&native) != Gdiplus::Ok || native == nullptr) return {};
    const UniqueFontFamily owner(native);
    WCHAR name[LF_FACESIZE] = {};
    if (Gdiplus::DllExports::GdipGetFamilyName(native, name, LANG_NEUTRAL) != Gdiplus::Ok) return {};
    return name;
}

// The face of the system's GUI font: a sans-serif the system always maps to an installed one.
std::wstring GuiFontName() {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) == 0) return {};
    return font.lfFaceName;
}

bool IsInstalledFamily(const std::wstring& name) {
    if (name.empty()) return false;
    const Gdiplus::FontFamily family(name.c_str());
    return family.GetLastStatus() == Gdiplus::Ok && family.IsAvailable();
}

// The named family; else Microsoft YaHei, the Chinese sans-serif every Windows since Vista has
// (Windows 10 and 11 outside China install 黑体 only with their optional Chinese fonts); else
// the generic sans-serif, else (a system without the generic one's fonts, such as Wine without
// Windows' own fonts) the GUI font's face.
std::wstring AvailableFamilyName(const std::string& fontName) {
    for (const std::wstring& name :
         {WideFromProgramText(fontName), std::wstring(L"Microsoft YaHei"), GenericSansSerifName(), GuiFontName()}) {
        if (IsInstalledFamily(name)) return name;
    }
    return {};
}

// Measuring and drawing share one font and one format, so that the measured extent is the
// drawn one. Sizes are pixels, as the frame is laid out in pixels.
class TextStyle {
public:
    TextStyle(const std::string& fontName, int size)
        : m_familyName(AvailableFamilyName(fontName)),
          m_family(m_familyName.c_str()),
          m_font(&m_family, static_cast<Gdiplus::REAL>(size), Gdiplus::FontStyleRegular, Gdiplus::UnitPixel) {}

    const Gdiplus::Font* font() const { return &m_font; }
    const Gdiplus::StringFormat* format() const { return &m_format; }

private:
    std::wstring m_familyName;
    Gdiplus::FontFamily m_family;
    Gdiplus::Font m_font;
    Gdiplus::StringFormat m_format;
};

int CeilToInt(Gdiplus::REAL value) {
    if (!(value > 0)) return 0;  // NaN too
    const double up = std::ceil(static_cast<double>(value));
    return up >= static_cast<double>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                       : static_cast<int>(up);
}

}  // namespace

CCore::CCore(std::string folder) : m_folder(WithSeparator(std::move(folder))), m_store(std::make_unique<ConfigStore>()) {}

CCore::~CCore() = default;

void CCore::autoFileConfig() { m_store->load(StorePath(*this), DefaultStoreText(), kHeldFilePatienceMs); }

ConfigStore& CCore::store() const {
    if (!m_store->loaded()) m_store->load(StorePath(*this), DefaultStoreText(), kHeldFilePatienceMs);
    return *m_store;
}

CCore::SaveBatch::SaveBatch(CCore& core) : m_core(core) { m_core.store().beginBatch(); }

CCore::SaveBatch::~SaveBatch() { commit(); }

FileWrite CCore::SaveBatch::commit() {
    if (!m_open) return FileWrite::Written;
    m_open = false;
    return m_core.store().endBatch();
}

std::string CCore::getAppPath() const {
    if (!m_folder.empty()) return m_folder;
    return ProgramFolder().ansi;
}

bool CCore::appPathUsable() const { return !m_folder.empty() || ProgramFolder().usable; }

std::wstring CCore::appPathForDisplay() const {
    if (!m_folder.empty()) return WideFromProgramText(m_folder);
    return ProgramFolder().wide;
}

std::string CCore::configPath() const { return getAppPath() + kStoreFileName; }

bool CCore::rereadConfig() { return store().reread(); }

std::string CCore::takeConfigKeptCopyNews() { return store().takeKeptCopyNews(); }

int CCore::getConfigInt(const std::string& key) const {
    return Lookup<int>(store(), key, ParseStoreInt, 0);
}

bool CCore::getConfigInt(const std::string& key, int& value) const {
    const std::optional<int> found = Lookup<std::optional<int>>(
        store(), key,
        [](const std::string& text, std::optional<int>& parsed) {
            int number = 0;
            if (!ParseStoreInt(text, number)) return false;
            parsed = number;
            return true;
        },
        std::nullopt);
    if (found) value = *found;
    return found.has_value();
}

bool CCore::getConfigB(const std::string& key) const {
    return Lookup<bool>(store(), key, ParseStoreFlag, false);
}

std::string CCore::getConfigStr(const std::string& key) const {
    return Lookup<std::string>(store(), key, DecodeStoreString, std::string());
}

Gdiplus::ARGB CCore::getConfigClr(const std::string& key) const {
    return Lookup<Gdiplus::ARGB>(store(), key, ParseStoreColour, kOpaqueBlack);
}

void CCore::saveConfig(const std::string& key, const std::string& text, Saving saving) {
    if (saving == Saving::Changed) {
        store().save(key, text);
    } else {
        store().fill(key, text);
    }
}

void CCore::saveConfigInt(const std::string& key, int value, Saving saving) {
    saveConfig(key, FormatStoreInt(value), saving);
}

void CCore::saveConfigB(const std::string& key, bool value, Saving saving) {
    saveConfig(key, FormatStoreFlag(value), saving);
}

void CCore::saveConfigStr(const std::string& key, const std::string& value, Saving saving) {
    saveConfig(key, EncodeStoreString(value), saving);
}

void CCore::saveConfigClr(const std::string& key, Gdiplus::ARGB value, Saving saving) {
    saveConfig(key, FormatStoreColour(value), saving);
}

std::string CCore::getStrInt(int value) { return FormatStoreInt(value); }

Gdiplus::ARGB CCore::getColor(COLORREF colour) {
    return kOpaqueBlack | (Gdiplus::ARGB{GetRValue(colour)} << 16) | (Gdiplus::ARGB{GetGValue(colour)} << 8) |
           GetBValue(colour);
}

COLORREF CCore::getClrRef(Gdiplus::ARGB colour) {
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

std::string CCore::readTxtFile(const std::string& path) const {
    std::string text;
    readTxtFile(path, text);
    return text;
}

FileRead CCore::readTxtFile(const std::string& path, std::string& bytes) const {
    return AtomicFile::read(path, kMaxTextFileBytes, bytes, kHeldFilePatienceMs);
}

FileWrite CCore::outTxtFile(const std::string& text, const std::string& path) const {
    return AtomicFile::write(path, text, kHeldFilePatienceMs);
}

bool CCore::isFileExist(const std::string& path) const {
    return IsFileName(path) && isFileExist(WideFromProgramText(path));
}

bool CCore::isFileExist(const std::wstring& path) const {
    if (!IsFileName(path)) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void CCore::msgboxWarning(HWND owner, const std::string& text) const {
    msgboxWarning(owner, WideFromProgramText(text));
}

void CCore::msgboxWarning(HWND owner, const std::wstring& text) const {
    MessageBoxW(owner, text.c_str(), L"Placard", MB_ICONWARNING | MB_OK);
}

void CCore::drawPic(Gdiplus::Graphics& graphics, int x, int y, const std::string& path) const {
    drawPic(graphics, x, y, SIZE{0, 0}, PictureFit::None, path);
}

PictureTrouble CCore::drawPic(Gdiplus::Graphics& graphics, int x, int y, SIZE area, PictureFit fit,
                              const std::string& path, const PixelTarget* frame) const {
    return drawPic(graphics, x, y, area, fit, WideFromProgramText(path), frame);
}

PictureTrouble CCore::drawPic(Gdiplus::Graphics& graphics, int x, int y, SIZE area, PictureFit fit,
                              const std::wstring& path, const PixelTarget* frame) const {
    const PictureFile file(path);
    if (!file.drawable()) return file.trouble();
    const PicturePlacement placement = PlacePicture(file.probe(), POINT{x, y}, area, fit);
    // A reduced decode only for the frame's pixels: they are averaged from it as from the whole.
    const std::unique_ptr<Gdiplus::Bitmap> picture = DecodeUpright(file, placement.needed, frame != nullptr);
    if (!picture) return PictureTrouble::Damaged;
    DrawPicture(graphics, *picture, placement.place, frame);
    return PictureTrouble::None;
}

SIZE CCore::getTextBounds(const std::string& fontName, int size, const std::string& text) const {
    const std::wstring wide = WideFromProgramText(text);
    const TextStyle style(fontName, size);
    Gdiplus::Bitmap scratch(1, 1, PixelFormat32bppARGB);
    Gdiplus::Graphics measure(&scratch);
    Gdiplus::RectF bounds;
    if (measure.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), style.font(), Gdiplus::PointF(0, 0),
                              style.format(), &bounds) != Gdiplus::Ok) {
        return SIZE{0, 0};
    }
    return SIZE{CeilToInt(bounds.Width), CeilToInt(bounds.Height)};
}

void CCore::drawStrSolid(Gdiplus::Graphics& graphics, POINT point, int /*reserved1*/, const std::string& text,
                         const std::string& fontName, Gdiplus::ARGB colour, int size, int /*reserved2*/) const {
    const std::wstring wide = WideFromProgramText(text);
    if (wide.empty()) return;
    const TextStyle style(fontName, size);
    const Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    graphics.DrawString(wide.c_str(), static_cast<INT>(wide.size()), style.font(),
                        Gdiplus::PointF(static_cast<Gdiplus::REAL>(point.x), static_cast<Gdiplus::REAL>(point.y)),
                        style.format(), &brush);
}

#include "output/OutputFixture.h"

#include "output/OutputDlg.h"
#include "support/PictureFiles.h"
#include "support/SharedStateReset.h"
#include "support/TestDib.h"

void OutputFixture::SetUp() {
    ResetSharedState();
    folder.makeFolder("data");
    core = std::make_unique<CCore>(folder.path());
    playlist = std::make_unique<Playlist>();
    SharedState::appPath = folder.path();
    SharedState::dataDir = folder.path() + "data\\";
    SharedState::itemsPath = folder.path() + "_items.txt";
    SharedState::core = core.get();
    SharedState::playlist = playlist.get();
}

void OutputFixture::TearDown() { ResetSharedState(); }

void OutputFixture::Picture(const std::string& name, int width, int height, uint32_t rgb) const {
    folder.write("data\\" + name, EncodePicture(L"image/bmp", width, height, rgb, rgb));
}


void OutputFixture::Listed(std::initializer_list<const char*> names) const {
    playlist->clear();
    for (const char* name : names) playlist->add(name);
    SharedState::playlistCount = playlist->count();
}

void OutputFixture::ComposeOnto(COutputDlg& output, TestDib& dib, bool withPixels) {
    Gdiplus::Graphics graphics(dib.dc());
    COutputDlg::SetFrameModes(graphics);
    const PixelTarget pixels{dib.bits(), dib.width(), dib.height()};
    output.ComposeFrame(graphics, withPixels ? &pixels : nullptr);
    graphics.Flush(Gdiplus::FlushIntentionSync);
    GdiFlush();
}

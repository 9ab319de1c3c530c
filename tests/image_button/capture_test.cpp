// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "front_end/test_window_system.h"
#include "image_button/ibutton_fixture.h"
#include "image_button/ibutton_peer.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/memory_gdi.h"

namespace {

namespace gdi = runtime::gdi;
using test_support::IButtonPeer;
using test_support::IButtonTest;
using test_support::kFrameColours;

// The strip selected into a memory DC, as the button cuts it.
struct SelectedStrip {
  SelectedStrip() : picture(runtime::Picture::FromFile(test_support::StripFile(5, 35, 35))) {
    dc = gdi::CreateCompatibleDC(0);
    gdi::SelectObject(dc, picture->Handle());
  }
  ~SelectedStrip() { gdi::DeleteDC(dc); }
  runtime::PictureRef picture;
  gdi::HDC dc = 0;
};

// The block of `pixels` from (x, y), `width` x `height`.
runtime::Pixels Block(const runtime::Pixels& pixels, int x, int y, int width, int height) {
  runtime::Pixels block(width, height, 0, pixels.HasAlpha());
  runtime::CopyPixels(block.View(), 0, 0, width, height, pixels.View(), x, y);
  return block;
}

TEST(CaptureArea, EachFrameBecomesAPictureOfItsOwnPixelForPixel) {
  test_front_end::TestWindowSystem ws;
  const gdi::ObjectCounts before = gdi::LiveObjects();
  runtime::PictureRef kept;
  {
    SelectedStrip strip;
    for (int i = 0; i < 4; ++i) {
      const runtime::PictureRef frame = IButtonPeer::CaptureArea(strip.dc, 35 * i, 0, 35, 35);
      ASSERT_TRUE(frame);
      EXPECT_EQ(frame->Copy(), Block(strip.picture->Copy(), 35 * i, 0, 35, 35)) << "frame " << i;
      EXPECT_EQ(frame->Copy().At(17, 17), kFrameColours[i]);
      EXPECT_EQ(frame->hPal(), 0);
      EXPECT_EQ(frame->Width(), 926);
    }
    kept = IButtonPeer::CaptureArea(strip.dc, 35, 0, 35, 35);
  }
  EXPECT_EQ(kept->Copy().At(0, 0), kFrameColours[1]) << "the copy outlives its source";
  kept.reset();
  EXPECT_EQ(gdi::LiveObjects(), before) << "every DC, bitmap and palette is released";
}

TEST(CaptureArea, KeepsThePaletteOnlyOnA256ColourPaletteDisplay) {
  const struct {
    const char* display;
    runtime::MemoryGdi::Display settings;
    bool palette;
  } rows[] = {{"true colour", runtime::MemoryGdi::Display{}, false},
              {"256 colours", runtime::MemoryGdi::PaletteDisplay(256), true},
              {"a 200-entry palette", runtime::MemoryGdi::PaletteDisplay(200), false}};
  test_front_end::TestWindowSystem ws;
  const gdi::ObjectCounts before = gdi::LiveObjects();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.display);
    ws.Gdi().SetDisplay(row.settings);
    SelectedStrip strip;
    const runtime::PictureRef frame = IButtonPeer::CaptureArea(strip.dc, 70, 0, 35, 35);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Copy().At(3, 3), kFrameColours[2]);
    if (row.palette) {
      const std::vector<gdi::PALETTEENTRY> entries = gdi::PaletteEntries(frame->hPal());
      ASSERT_EQ(entries.size(), 256u);
      EXPECT_EQ(entries[10].peRed, row.settings.systemPalette[10].peRed);
      EXPECT_EQ(entries[200].peGreen, row.settings.systemPalette[200].peGreen);
    } else {
      EXPECT_EQ(frame->hPal(), 0);
    }
  }
  ws.Gdi().SetDisplay({});
  EXPECT_EQ(gdi::LiveObjects(), before) << "releasing the picture frees its palette too";
}

TEST(BitmapToPicture, WhenNoPictureCanBeMadeTheHandlesAreDeleted) {
  test_front_end::TestWindowSystem ws;
  const gdi::ObjectCounts before = gdi::LiveObjects();
  const gdi::HBITMAP bitmap = gdi::CreateBitmap(runtime::Pixels(4, 4));
  gdi::LOGPALETTE record{};
  record.palVersion = 0x300;
  record.palNumEntries = 4;
  const gdi::HPALETTE palette = gdi::CreatePalette(&record);
  // Not a palette handle: the picture cannot be made.
  EXPECT_FALSE(IButtonPeer::BitmapToPicture(bitmap, 0x7777));
  gdi::DeleteObject(palette);
  EXPECT_EQ(gdi::LiveObjects(), before);
}

TEST_F(IButtonTest, APushButtonCutsFourFramesAndSizesItselfToOne) {
  image_button::iButton& button = Button();
  ASSERT_EQ(Peer().StateImageCount(), 4u);
  for (int state = 0; state < 4; ++state) {
    const runtime::Pixels frame = Peer().StateImageFor(state)->Copy();
    EXPECT_EQ(frame.Width(), 35);
    EXPECT_EQ(frame.Height(), 35);
    EXPECT_EQ(frame.At(34, 34), kFrameColours[state]);
  }
  EXPECT_EQ(button.Width(), 525.0f);
  button.SetWidth(900);
  EXPECT_EQ(button.Width(), 525.0f) << "AutoSize snaps back to one frame";
  EXPECT_EQ(Surface().Place().width, 35);
  EXPECT_EQ(Surface().Place().height, 35);
}

TEST_F(IButtonTest, AToggleButtonCutsEightNarrowerFrames) {
  image_button::iButton& button = Button();
  button.LetStyle(1);
  ASSERT_EQ(Peer().StateImageCount(), 8u);
  const runtime::Pixels first = Peer().StateImageFor(0)->Copy();
  EXPECT_EQ(first.Width(), 17) << "175 / 10 = 17.5, rounded to even";
  EXPECT_EQ(first.Height(), 35);
  EXPECT_EQ(button.Width(), 255.0f);
  EXPECT_EQ(button.Height(), 525.0f);
  const int cuts = Peer().CutCount();
  button.LetCaption(u"x");
  button.cMouseAction(1, runtime::kTrue);
  EXPECT_EQ(Peer().CutCount(), cuts) << "redraws never cut the strip again";
}

TEST_F(IButtonTest, OnlyPushAndToggleStylesAreAccepted) {
  image_button::iButton& button = Button();
  EXPECT_THROW(button.LetStyle(5), runtime::RuntimeError);
  EXPECT_EQ(button.Style(), 0);
  EXPECT_EQ(Peer().StateImageCount(), 4u);
}

}  // namespace

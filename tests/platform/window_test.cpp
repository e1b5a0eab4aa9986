#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "platform/keys.h"
#include "platform/png_image.h"
#include "platform/scripted_window.h"

namespace sc::platform {
namespace {

TEST(ScriptedWindow, KeysArriveWhenTheClockReachesThem) {
    ScriptedWindow w;
    w.key_at(1.0, "b");
    w.key_at(0.5, "a");
    w.key(KEY_CLOSE);
    EXPECT_EQ(w.inkey(), KEY_CLOSE);
    EXPECT_EQ(w.inkey(), "");
    w.pause_ms(500);
    EXPECT_EQ(w.inkey(), "a");
    EXPECT_EQ(w.inkey(), "");
    w.pause_ms(500);
    EXPECT_EQ(w.inkey(), "b");
    EXPECT_DOUBLE_EQ(w.clock().timer(), 1.0);
}

TEST(ScriptedWindow, HeldKeysAndPointer) {
    ScriptedWindow w;
    w.hold_at(0.1, 0.3, scan::F12);
    w.pointer_at(0.2, 300, 200, BUTTON_LEFT_BIT | BUTTON_RIGHT_BIT, 2);
    EXPECT_FALSE(w.key_down(scan::F12));
    w.pause_ms(100);
    EXPECT_TRUE(w.key_down(scan::F12));
    EXPECT_FALSE(w.key_down(scan::CTRL));
    w.pause_ms(100);
    const PointerState p = w.pointer();
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.buttons, 3);
    EXPECT_EQ(p.wheel, 2);
    EXPECT_EQ(w.pointer().wheel, 0);
    w.pause_ms(100);
    EXPECT_FALSE(w.key_down(scan::F12));
    w.move_pointer(900, -5);
    EXPECT_EQ(w.pointer().x, SCREEN_WIDTH - 1);
    EXPECT_EQ(w.pointer().y, 0);
}

TEST(ScriptedWindow, OnlyThePanelModeOpens) {
    ScriptedWindow w;
    EXPECT_FALSE(w.open(800, 600, 8, 2));
    EXPECT_TRUE(w.open(SCREEN_WIDTH, SCREEN_HEIGHT, 8, 2));
    ScriptedWindow refusing;
    refusing.refuse_open();
    EXPECT_FALSE(refusing.open(SCREEN_WIDTH, SCREEN_HEIGHT, 8, 2));
}

TEST(ScreenLock, NestedDrawingLocksOnceAndOnlyTheOwnerUnlocks) {
    ScriptedWindow w;
    ScreenLock lock(w);
    w.frame().set(1, 1, 9);
    EXPECT_TRUE(lock.take(ScreenLock::INFO_BOX));
    w.frame().set(2, 2, 9);
    EXPECT_FALSE(lock.take(ScreenLock::KNOB));  // nested: no second lock
    EXPECT_FALSE(lock.release(ScreenLock::KNOB));
    EXPECT_TRUE(w.locked());
    EXPECT_EQ(w.inkey(), "");  // a poll shows nothing while locked
    EXPECT_EQ(w.presents(), 0);
    EXPECT_EQ(lock.owner(), ScreenLock::INFO_BOX);
    EXPECT_TRUE(lock.release(ScreenLock::INFO_BOX));
    EXPECT_FALSE(w.locked());
    EXPECT_EQ(w.presents(), 1);  // unlocking shows at once
    EXPECT_EQ(w.shown().at(2, 2), 9);
    {
        ScreenLockScope outer(lock, ScreenLock::GENERAL);
        ScreenLockScope inner(lock, ScreenLock::KNOB);
        w.frame().set(3, 3, 9);
    }
    EXPECT_FALSE(w.locked());
    EXPECT_EQ(w.presents(), 2);
    // Drawing without a lock shows at the next poll or pause.
    w.frame().set(4, 4, 9);
    w.pause_ms(1);
    EXPECT_EQ(w.presents(), 3);
    w.pause_ms(1);
    EXPECT_EQ(w.presents(), 3);  // nothing new drawn
}

TEST(Png, FramebufferPictureRoundTrip) {
    Framebuffer f;
    f.set_palette(5, {63, 0, 31});
    f.set(799, 524, 5);
    f.set(0, 0, 5);
    const std::string path = (std::filesystem::temp_directory_path() / ("sc_png_roundtrip_" + std::to_string(::getpid()) + ".png")).string();
    ASSERT_TRUE(write_png(path, image_of(f)));
    const auto img = read_png(path);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, 800);
    EXPECT_EQ(img->height, 525);
    EXPECT_EQ(img->at(799, 524), 0xFF007Du);
    EXPECT_EQ(img->at(1, 0), 0u);
    std::filesystem::remove(path);
    EXPECT_FALSE(write_png("/nonexistent-folder/x.png", image_of(f)));
    EXPECT_FALSE(read_png("/nonexistent-folder/x.png"));
}

}  // namespace
}  // namespace sc::platform

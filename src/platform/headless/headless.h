// The headless backend's controls for tests and benchmarks: scripted input,
// a virtual clock, recorded sounds, a call log, injected failures and the
// screen in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "../platform_types.h"

namespace plat::headless {

// Back to a fresh machine: no window, no display objects alive, empty message
// queue, empty scripts, clock at 0, no sounds, empty log, no failures. Tests
// call it first (objects a previous run leaked are dropped).
void Reset();

// Mouse script: each mouse read takes the next state. Once the script has
// run out the mouse holds still with its buttons up. The wheel's motion is
// lZ: 120 a notch away from the user, -120 a notch towards.
void QueueMouse(const DIMOUSESTATE& state);
void QueueMouse(int dx, int dy, bool left, bool right = false, bool middle = false);
// One read of a mouse that holds still, its buttons up, with the wheel
// turned by notches (positive away from the user).
void QueueWheel(int notches);
// Keyboard script: each keyboard read takes the next 256-byte state. Once the
// script has run out, Enter reads down, but up after a read that found it
// down (so an entry, which takes Enter as it goes down, always ends).
void QueueKeyboard(const std::array<std::uint8_t, 256>& keys);
// One keyboard state with the given scan codes down (bit 7 set).
void QueueKeys(std::initializer_list<std::uint8_t> scanCodes);
// Escape script for GetAsyncKeyState(VK_ESCAPE): each call takes the next
// entry. With the script empty, Escape reads down when both the mouse and the
// keyboard scripts have run out, but up at the read after one that found it
// down, so every run ends, even one whose Escape must first be let go (after
// it cancelled an entry).
void QueueEscape(bool down);
// The keys other than Escape that GetAsyncKeyState reads down from now on
// (virtual-key codes; VK_CONTROL and VK_SHIFT stand for either key of the
// pair); every other key reads up. Keys that an entry reads down from the
// keyboard script also read down once at the next call for them, as one
// keyboard gives both: Ctrl, Shift and Alt (either key), the letters, the
// digits of the main block, Space, Delete, the brackets and F1 to F12;
// Enter and Escape have rules of their own.
void HoldKeys(std::initializer_list<int> virtualKeys);
// Whether the window has the keyboard focus (it has after Reset). Without it
// keyboard reads fail and take nothing from the script.
void SetKeyboardFocus(bool focused);
std::size_t MouseReadsLeft();
std::size_t KeyboardReadsLeft();
// Empties the mouse, keyboard and Escape scripts (a fuzz target starts each
// input afresh without a whole Reset).
void ClearScripts();
// Called at every Sleep with its length, before the clock moves on: the
// moments between the polls of an entry, for checks made there. Null for
// none (as after Reset).
void SetSleepObserver(void (*observer)(std::uint32_t ms));
// Input made up as it is read, for long random runs: once set, every mouse
// read, keyboard read and Escape test that finds its script empty asks it,
// instead of following the rules above for scripts that have run out. The
// caller keeps it alive; null (as after Reset) removes it.
class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual DIMOUSESTATE NextMouse() = 0;
  virtual std::array<std::uint8_t, 256> NextKeyboard() = 0;
  virtual bool NextEscape() = 0;
  // Any other key of GetAsyncKeyState (besides those held by HoldKeys).
  virtual bool NextKey(int /*virtualKey*/) { return false; }
};
void SetInputSource(InputSource* source);

// The system asks the program to end (as a termination signal does to the
// real program) at the given input read from now: 1 is the next mouse or
// keyboard read, which then gives its state as usual.
void RequestEndAtRead(std::size_t read);

// The virtual clock in milliseconds; Sleep advances it without waiting.
std::uint64_t Now();
// The time the program last asked for its next pass by (plat::WantPassBy);
// plat::kNoPassWanted when it asked for none.
std::uint64_t PassWantedBy();

// Every PlaySoundA call: the resource number and the clock at the call.
struct SoundPlayed {
  int resource;
  std::uint64_t at;
};
const std::vector<SoundPlayed>& Sounds();

// The platform calls in order. Names: "<Object>.<Method>" for the objects
// (DirectDraw, Primary, BackBuffer, Palette, DirectInput, Mouse, Keyboard),
// for example "DirectDraw.SetDisplayMode", "Primary.Lock", "Primary.GetDC",
// "DirectInput.CreateDeviceEx(Mouse)", "Keyboard.GetDeviceState"; free
// functions by name with their telling argument: "DirectDrawCreateEx",
// "DirectInputCreateEx", "RegisterClassExA", "CreateWindowExA",
// "DestroyWindow", "PostMessageA(WM_CLOSE)", "DispatchMessageA(WM_CLOSE)",
// "PostQuitMessage(0)", "BeginEditorPass" (the main loop's, once a pass),
// "PeekMessageA(WM_QUIT)" (only when a message is taken), "Sleep(2000)",
// "PlaySoundA(8001)", "SetCursorPos(400,300)", "ClipCursor(420,440,654,460)",
// "ClipCursor(null)", "OpenFile(SaveName.dat,w+t)". GDI drawing calls are not
// logged.
// Logging can be switched off for benchmarks.
const std::vector<std::string>& CallLog();
void ClearLog();
void SetLogging(bool on);
// Makes every call traced under this name (as in the log) fail from now on.
// Also "WatchFolder(.)" and "WatchFolder(<the bitmap folder>)", the watches
// of the bitmaps kept between draws, which are not logged: the folder is then
// one that cannot be watched, until Reset.
void FailCall(const std::string& name);
// Lets the call named succeed again.
void StopFailingCall(const std::string& name);

// The folder for the program's own state (plat::StateFolder()): none after
// Reset, so that no run keeps a recovery copy unless a test points it at a
// scratch folder.
void SetStateFolder(const std::string& path);
// Makes the work in the state folder fail from now on as on a read-only disk
// (EROFS: no lock, replace, rename, remove or write in place), a full one
// (ENOSPC: no replace), or as in a folder made read-only once the editor had
// its files there (EACCES: no replace, rename or remove, but the lock file
// and the copy are still written in place).
enum class DiskFault { None, ReadOnly, Full, FolderReadOnly };
void SetStateFolderFault(DiskFault fault);

// The system cursor as SetCursorPos and ClipCursor left it.
POINT CursorPos();
bool CursorClipped();
RECT CursorClip();
std::uint64_t SetCursorPosCalls();
// True while the window exists.
bool WindowAlive();
// True while the display is in the exclusive 800 x 600 x 8 mode.
bool DisplayExclusive();

// The primary surface (800 x 600 palette indices, row by row) and its palette.
// Empty when no primary surface exists.
std::vector<std::uint8_t> Screen();
std::uint8_t ScreenAt(int x, int y);
std::array<PALETTEENTRY, 256> Palette();

}  // namespace plat::headless

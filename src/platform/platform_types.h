// Plain value types and constants shared by every platform interface.
#pragma once

#include <cstdint>

namespace plat {

// Results of display and input calls: negative means failure.
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DI_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601B2u);
constexpr HRESULT DDERR_LOCKEDSURFACES = static_cast<HRESULT>(0x887600A0u);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_INVALIDMODE = static_cast<HRESULT>(0x88760050u);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x88760248u);
constexpr HRESULT DDERR_NOTFOUND = static_cast<HRESULT>(0x887600FFu);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = static_cast<HRESULT>(0x88760234u);
constexpr HRESULT DI_NOEFFECT = 1;
constexpr HRESULT DIERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DIERR_ACQUIRED = static_cast<HRESULT>(0x800700AAu);
constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);
constexpr bool FAILED(HRESULT hr) {
  return hr < 0;
}

// A GDI colour value: RGB with red in the low byte, or PALETTEINDEX(i) with
// the top byte 1.
using COLORREF = std::uint32_t;
constexpr COLORREF RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
         (static_cast<COLORREF>(blue) << 16);
}
constexpr COLORREF PALETTEINDEX(std::uint16_t index) {
  return 0x01000000u | index;
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

struct POINT {
  std::int32_t x;
  std::int32_t y;
};

struct RECT {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

struct PALETTEENTRY {
  std::uint8_t peRed;
  std::uint8_t peGreen;
  std::uint8_t peBlue;
  std::uint8_t peFlags;
};
constexpr std::uint8_t PC_NOCOLLAPSE = 4;

// The mouse record of a device-state read: motion since the previous read.
struct DIMOUSESTATE {
  std::int32_t lX;
  std::int32_t lY;
  std::int32_t lZ;
  std::uint8_t rgbButtons[4];
};
static_assert(sizeof(DIMOUSESTATE) == 16);

// Opaque handles. The window and instance records live in the platform.
struct Window;
struct Instance;
using HWND = Window*;
using HINSTANCE = Instance*;
using HICON = const void*;
using HCURSOR = const void*;

// Message identifiers and parameters.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t PM_NOREMOVE = 0;
constexpr std::uint32_t PM_REMOVE = 1;

// Window class and window styles.
constexpr std::uint32_t CS_VREDRAW = 0x0001;
constexpr std::uint32_t CS_HREDRAW = 0x0002;
constexpr std::uint32_t CS_DBLCLKS = 0x0008;
constexpr std::uint32_t CS_OWNDC = 0x0020;
constexpr std::uint32_t WS_POPUP = 0x80000000u;
constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
constexpr int IDI_APPLICATION = 32512;
constexpr int IDC_ARROW = 32512;

// Virtual keys for the asynchronous key state. VK_SHIFT, VK_CONTROL and
// VK_MENU answer for either key of the pair; letters and the digits of the
// main block are their characters' codes.
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;  // Page Up
constexpr int VK_NEXT = 0x22;   // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_0 = 0x30;
constexpr int VK_1 = 0x31;
constexpr int VK_2 = 0x32;
constexpr int VK_3 = 0x33;
constexpr int VK_4 = 0x34;
constexpr int VK_5 = 0x35;
constexpr int VK_6 = 0x36;
constexpr int VK_7 = 0x37;
constexpr int VK_8 = 0x38;
constexpr int VK_9 = 0x39;
constexpr int VK_A = 0x41;
constexpr int VK_B = 0x42;
constexpr int VK_C = 0x43;
constexpr int VK_D = 0x44;
constexpr int VK_E = 0x45;
constexpr int VK_F = 0x46;
constexpr int VK_G = 0x47;
constexpr int VK_H = 0x48;
constexpr int VK_I = 0x49;
constexpr int VK_J = 0x4A;
constexpr int VK_K = 0x4B;
constexpr int VK_L = 0x4C;
constexpr int VK_M = 0x4D;
constexpr int VK_N = 0x4E;
constexpr int VK_O = 0x4F;
constexpr int VK_P = 0x50;
constexpr int VK_Q = 0x51;
constexpr int VK_R = 0x52;
constexpr int VK_S = 0x53;
constexpr int VK_T = 0x54;
constexpr int VK_U = 0x55;
constexpr int VK_V = 0x56;
constexpr int VK_W = 0x57;
constexpr int VK_X = 0x58;
constexpr int VK_Y = 0x59;
constexpr int VK_Z = 0x5A;
constexpr int VK_ADD = 0x6B;       // + on the number pad
constexpr int VK_SUBTRACT = 0x6D;  // - on the number pad
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;
constexpr int VK_OEM_PLUS = 0xBB;   // the = and + key
constexpr int VK_OEM_MINUS = 0xBD;  // the - and _ key
constexpr int VK_OEM_4 = 0xDB;      // [ on a US keyboard
constexpr int VK_OEM_6 = 0xDD;      // ] on a US keyboard

// Display cooperative levels, surface description flags and capabilities.
constexpr std::uint32_t DDSCL_FULLSCREEN = 0x0001;
constexpr std::uint32_t DDSCL_ALLOWREBOOT = 0x0002;
constexpr std::uint32_t DDSCL_EXCLUSIVE = 0x0010;
constexpr std::uint32_t DDSCL_ALLOWMODEX = 0x0040;
constexpr std::uint32_t DDSD_CAPS = 0x0001;
constexpr std::uint32_t DDSD_BACKBUFFERCOUNT = 0x0020;
constexpr std::uint32_t DDSCAPS_BACKBUFFER = 0x0004;
constexpr std::uint32_t DDSCAPS_COMPLEX = 0x0008;
constexpr std::uint32_t DDSCAPS_FLIP = 0x0010;
constexpr std::uint32_t DDSCAPS_PRIMARYSURFACE = 0x0200;
constexpr std::uint32_t DDPCAPS_8BIT = 0x0004;
constexpr std::uint32_t DDPCAPS_ALLOW256 = 0x0040;
constexpr std::uint32_t DDLOCK_WAIT = 0x0001;
constexpr std::uint32_t DDBLT_COLORFILL = 0x0400;
constexpr std::uint32_t DDBLT_WAIT = 0x01000000;

// Input cooperative levels.
constexpr std::uint32_t DISCL_EXCLUSIVE = 0x0001;
constexpr std::uint32_t DISCL_NONEXCLUSIVE = 0x0002;
constexpr std::uint32_t DISCL_FOREGROUND = 0x0004;
constexpr std::uint32_t DISCL_BACKGROUND = 0x0008;

// Sound flags.
constexpr std::uint32_t SND_ASYNC = 0x0001;
constexpr std::uint32_t SND_NODEFAULT = 0x0002;
constexpr std::uint32_t SND_RESOURCE = 0x00040004;

// GDI constants.
constexpr int PS_SOLID = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t IMAGE_BITMAP = 0;
constexpr std::uint32_t LR_LOADFROMFILE = 0x0010;
constexpr std::uint32_t LR_CREATEDIBSECTION = 0x2000;

// Keyboard state indices: set-1 scan codes.
enum : std::uint8_t {
  DIK_ESCAPE = 0x01,
  DIK_1 = 0x02,
  DIK_2 = 0x03,
  DIK_3 = 0x04,
  DIK_4 = 0x05,
  DIK_5 = 0x06,
  DIK_6 = 0x07,
  DIK_7 = 0x08,
  DIK_8 = 0x09,
  DIK_9 = 0x0A,
  DIK_0 = 0x0B,
  DIK_MINUS = 0x0C,
  DIK_EQUALS = 0x0D,
  DIK_BACK = 0x0E,
  DIK_TAB = 0x0F,
  DIK_Q = 0x10,
  DIK_W = 0x11,
  DIK_E = 0x12,
  DIK_R = 0x13,
  DIK_T = 0x14,
  DIK_Y = 0x15,
  DIK_U = 0x16,
  DIK_I = 0x17,
  DIK_O = 0x18,
  DIK_P = 0x19,
  DIK_LBRACKET = 0x1A,
  DIK_RBRACKET = 0x1B,
  DIK_RETURN = 0x1C,
  DIK_LCONTROL = 0x1D,
  DIK_A = 0x1E,
  DIK_S = 0x1F,
  DIK_D = 0x20,
  DIK_F = 0x21,
  DIK_G = 0x22,
  DIK_H = 0x23,
  DIK_J = 0x24,
  DIK_K = 0x25,
  DIK_L = 0x26,
  DIK_SEMICOLON = 0x27,
  DIK_APOSTROPHE = 0x28,
  DIK_GRAVE = 0x29,
  DIK_LSHIFT = 0x2A,
  DIK_BACKSLASH = 0x2B,
  DIK_Z = 0x2C,
  DIK_X = 0x2D,
  DIK_C = 0x2E,
  DIK_V = 0x2F,
  DIK_B = 0x30,
  DIK_N = 0x31,
  DIK_M = 0x32,
  DIK_COMMA = 0x33,
  DIK_PERIOD = 0x34,
  DIK_SLASH = 0x35,
  DIK_RSHIFT = 0x36,
  DIK_LMENU = 0x38,
  DIK_SPACE = 0x39,
  DIK_CAPITAL = 0x3A,
};

}  // namespace plat

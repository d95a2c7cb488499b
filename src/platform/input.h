// Input: the mouse and keyboard devices and the asynchronous key state.
#pragma once

#include <cstdint>

#include "platform_types.h"

namespace plat {

// Which system device CreateDeviceEx opens.
enum class DeviceGuid { SysMouse, SysKeyboard };
constexpr DeviceGuid GUID_SysMouse = DeviceGuid::SysMouse;
constexpr DeviceGuid GUID_SysKeyboard = DeviceGuid::SysKeyboard;

// The standard data formats: a DIMOUSESTATE (16 bytes) or 256 key bytes.
enum class DataFormat { Mouse, Keyboard };
constexpr DataFormat c_dfDIMouse = DataFormat::Mouse;
constexpr DataFormat c_dfDIKeyboard = DataFormat::Keyboard;

class InputDevice {
 public:
  virtual ~InputDevice() = default;
  virtual HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) = 0;
  virtual HRESULT SetDataFormat(DataFormat format) = 0;
  virtual HRESULT Acquire() = 0;
  virtual HRESULT Unacquire() = 0;
  // Mouse: size 16, a DIMOUSESTATE with the motion since the previous read,
  // the wheel's in lZ (120 a notch away from the user, -120 towards), and the
  // buttons left, right, middle.
  // Keyboard: size 256, one byte per set-1 scan code, bit 7 = down.
  // A button or key that went down and up again since the previous read of
  // this device reads as down once. Fails when the device is not acquired
  // (and, for the keyboard, when the window is not in front).
  // The win32 backend reads the real mouse as it is at that moment.
  virtual HRESULT GetDeviceState(std::uint32_t size, void* data) = 0;
  virtual std::uint32_t Release() = 0;
};

class DirectInput {
 public:
  virtual ~DirectInput() = default;
  virtual HRESULT CreateDeviceEx(DeviceGuid which, InputDevice** device, void* outer) = 0;
  virtual std::uint32_t Release() = 0;
};

// Shared code: device states come from plat::backend::ReadMouse and ReadKeyboard.
// The win32 backend wraps the real DirectInput's objects instead.
HRESULT DirectInputCreateEx(HINSTANCE instance, std::uint32_t version, DirectInput** directInput,
                            void* outer);

// Bit 15 set while the key is down, or when it went down and up again since
// the previous call for that key. Every backend answers for the keys
// platform_types.h names (VK_...).
// Provided by the backend.
std::int16_t GetAsyncKeyState(int virtualKey);

}  // namespace plat

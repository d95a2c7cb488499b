// The win32 backend's input: the real DirectInput 7 mouse and keyboard behind the plat classes.
//
// A mouse read gives the device as it is now, as DirectInput does. The keys come from the
// window's key messages, latched between two reads (win32_keys.h): a key pressed and released
// between two reads is seen once.
#include <cstring>

#include "../input.h"
// After the plat headers (see there).
#include "win32_desktop.h"
#include "win32_keys.h"

namespace plat {
namespace {

class Device final : public InputDevice {
 public:
  explicit Device(IDirectInputDevice7A* real) : real_(real) {}

  HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) override {
    return real_->SetCooperativeLevel(win32::ToReal<::HWND>(window), flags);
  }

  HRESULT SetDataFormat(DataFormat format) override {
    mouse_ = format == DataFormat::Mouse;
    const HRESULT result = real_->SetDataFormat(mouse_ ? &::c_dfDIMouse : &::c_dfDIKeyboard);
    // On the desktop the mouse tells when it moved or a button changed: a read finds nothing
    // new without asking the device, and the waits between passes end at once.
    if (SUCCEEDED(result) && mouse_ && !win32::Exclusive() && changed_ == nullptr) {
      changed_ = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);
      if (changed_ != nullptr && FAILED(real_->SetEventNotification(changed_))) {
        ::CloseHandle(changed_);
        changed_ = nullptr;
      }
      win32::SetMouseChanged(changed_);
    }
    return result;
  }

  HRESULT Acquire() override {
    const HRESULT result = real_->Acquire();
    // Held even when refused (the keyboard while the window is behind another):
    // the program asked for the device, so a later read may take it again.
    wanted_ = true;
    return result;
  }

  HRESULT Unacquire() override {
    wanted_ = false;
    return real_->Unacquire();
  }

  // The system takes a device away when the window loses the foreground;
  // DirectInput gives it back only to a new Acquire, so a read tries one.
  // A failed read clears the caller's record: no key or button stays down
  // from an earlier read.
  HRESULT GetDeviceState(std::uint32_t size, void* data) override {
    if (data == nullptr) {
      return DIERR_INVALIDPARAM;
    }
    // A mouse that reported no change since the last read reads as it did, without motion:
    // under Wine a read polls the X server first, the dearest step of an idle pass. A device
    // taken away reports nothing, so it is asked every half second all the same.
    const std::uint64_t now = ::GetTickCount64();
    if (changed_ != nullptr && haveLast_ && size == sizeof last_ && now - lastRead_ < kAskEveryMs &&
        ::WaitForSingleObject(changed_, 0) == WAIT_TIMEOUT) {
      std::memcpy(data, &last_, sizeof last_);
      static_cast<::DIMOUSESTATE*>(data)->lX = 0;
      static_cast<::DIMOUSESTATE*>(data)->lY = 0;
      static_cast<::DIMOUSESTATE*>(data)->lZ = 0;
      win32::MapMouseState(static_cast<::DIMOUSESTATE*>(data));
      return DI_OK;
    }
    if (changed_ != nullptr) {
      // What changes after this comes with the read, or signals again for the next one.
      ::ResetEvent(changed_);
    }
    lastRead_ = now;
    HRESULT result = real_->GetDeviceState(size, data);
    if ((result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) && wanted_ &&
        SUCCEEDED(real_->Acquire())) {
      result = real_->GetDeviceState(size, data);
    }
    haveLast_ = SUCCEEDED(result) && mouse_ && size == sizeof last_;
    if (haveLast_) {
      std::memcpy(&last_, data, sizeof last_);
    }
    if (FAILED(result)) {
      ZeroMemory(data, size);
    } else if (!win32::Exclusive() && mouse_ && size >= sizeof(::DIMOUSESTATE)) {
      win32::MapMouseState(static_cast<::DIMOUSESTATE*>(data));
    } else if (!win32::Exclusive() && !win32::Active()) {
      ZeroMemory(data, size);
    } else if (!mouse_ && size == 256) {
      // The device tells whether the keyboard is the program's; the keys typed since the
      // previous read are in the window's messages.
      win32::ReadEntryKeys(static_cast<std::uint8_t*>(data));
    }
    return result;
  }

  std::uint32_t Release() override {
    const ULONG left = real_->Release();
    if (changed_ != nullptr) {
      win32::SetMouseChanged(nullptr);
      ::CloseHandle(changed_);
    }
    delete this;
    return left;
  }

 private:
  IDirectInputDevice7A* real_;
  // Signalled by DirectInput when the mouse changed (on the desktop), and when it was last asked.
  ::HANDLE changed_ = nullptr;
  std::uint64_t lastRead_ = 0;
  static constexpr std::uint64_t kAskEveryMs = 500;
  bool wanted_ = false;
  bool mouse_ = false;
  // The mouse's last record as read, before the mapping.
  ::DIMOUSESTATE last_ = {};
  bool haveLast_ = false;
};

class Input final : public DirectInput {
 public:
  explicit Input(IDirectInput7A* real) : real_(real) {}

  HRESULT CreateDeviceEx(DeviceGuid which, InputDevice** device, void* outer) override {
    if (device == nullptr) {
      return DIERR_INVALIDPARAM;
    }
    void* made = nullptr;
    const HRESULT result =
        real_->CreateDeviceEx(which == DeviceGuid::SysMouse ? ::GUID_SysMouse : ::GUID_SysKeyboard,
                              IID_IDirectInputDevice7A, &made, static_cast<IUnknown*>(outer));
    *device = SUCCEEDED(result) ? new Device(static_cast<IDirectInputDevice7A*>(made)) : nullptr;
    return result;
  }

  std::uint32_t Release() override {
    const ULONG left = real_->Release();
    delete this;
    return left;
  }

 private:
  IDirectInput7A* real_;
};

}  // namespace

HRESULT DirectInputCreateEx(HINSTANCE instance, std::uint32_t version, DirectInput** directInput,
                            void* outer) {
  if (directInput == nullptr) {
    return DIERR_INVALIDPARAM;
  }
  void* made = nullptr;
  const HRESULT result = ::DirectInputCreateEx(win32::ToReal<::HINSTANCE>(instance), version,
                                               IID_IDirectInput7A, &made, static_cast<IUnknown*>(outer));
  *directInput = SUCCEEDED(result) ? new Input(static_cast<IDirectInput7A*>(made)) : nullptr;
  return result;
}

// Down now, or pressed since the previous call for the key. On the desktop, keys typed into
// another program are not the editor's (Escape there must not end it); their presses are taken
// all the same, so that none shows later.
std::int16_t GetAsyncKeyState(int virtualKey) {
  const bool downNow = (static_cast<std::uint16_t>(::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
  const bool down = win32::AsyncKeyDown(virtualKey, downNow);
  return down && (win32::Exclusive() || win32::Active()) ? static_cast<std::int16_t>(0x8000)
                                                         : std::int16_t{0};
}

}  // namespace plat

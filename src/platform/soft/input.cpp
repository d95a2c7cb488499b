// The input object and the mouse and keyboard devices, reading through the backend.
#include "../input.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../window.h"
#include "backend.h"
#include "shared_state.h"

namespace plat::shared {

namespace {

class Device;
class Input;

// Never destroyed: see the display objects.
struct InputObjects {
  std::vector<Device*> devices;
  std::vector<Input*> inputs;
};

InputObjects& Objects() {
  static auto* objects = new InputObjects;
  return *objects;
}

template <typename T>
void Erase(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool Traced(const std::string& call) {
  backend::Trace(call);
  return backend::ShouldFail(call);
}

class Device final : public InputDevice {
 public:
  explicit Device(DeviceGuid which) : which_(which) {}

  HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) override {
    if (Traced(Call("SetCooperativeLevel"))) {
      return E_FAIL;
    }
    const bool exclusive = (flags & DISCL_EXCLUSIVE) != 0;
    const bool shared = (flags & DISCL_NONEXCLUSIVE) != 0;
    const bool foreground = (flags & DISCL_FOREGROUND) != 0;
    const bool background = (flags & DISCL_BACKGROUND) != 0;
    if (exclusive == shared || foreground == background || !IsWindow(window)) {
      return DIERR_INVALIDPARAM;
    }
    return DI_OK;
  }

  HRESULT SetDataFormat(DataFormat format) override {
    if (Traced(Call("SetDataFormat"))) {
      return E_FAIL;
    }
    if (acquired_) {
      return DIERR_ACQUIRED;
    }
    // Each device has one standard format: the mouse record or the key bytes.
    if ((format == DataFormat::Mouse) != (which_ == DeviceGuid::SysMouse)) {
      return DIERR_INVALIDPARAM;
    }
    hasFormat_ = true;
    return DI_OK;
  }

  HRESULT Acquire() override {
    if (Traced(Call("Acquire"))) {
      return E_FAIL;
    }
    if (!hasFormat_) {
      return DIERR_INVALIDPARAM;
    }
    if (acquired_) {
      return DI_NOEFFECT;
    }
    acquired_ = true;
    return DI_OK;
  }

  HRESULT Unacquire() override {
    if (Traced(Call("Unacquire"))) {
      return E_FAIL;
    }
    if (!acquired_) {
      return DI_NOEFFECT;
    }
    acquired_ = false;
    return DI_OK;
  }

  HRESULT GetDeviceState(std::uint32_t size, void* data) override {
    if (Traced(Call("GetDeviceState"))) {
      return E_FAIL;
    }
    if (!acquired_) {
      return DIERR_NOTACQUIRED;
    }
    const bool isMouse = which_ == DeviceGuid::SysMouse;
    if (data == nullptr || size != (isMouse ? sizeof(DIMOUSESTATE) : 256u)) {
      return DIERR_INVALIDPARAM;
    }
    backend::PumpEvents();
    // A lost read leaves the device acquired: the next read may succeed again.
    if (isMouse) {
      DIMOUSESTATE state = {};
      if (!backend::ReadMouse(&state)) {
        return DIERR_INPUTLOST;
      }
      std::memcpy(data, &state, sizeof state);
    } else {
      std::uint8_t keys[256] = {};
      if (!backend::ReadKeyboard(keys)) {
        return DIERR_INPUTLOST;
      }
      std::memcpy(data, keys, sizeof keys);
    }
    return DI_OK;
  }

  std::uint32_t Release() override {
    backend::Trace(Call("Release"));
    if (--references_ > 0) {
      return references_;
    }
    Erase(Objects().devices, this);
    delete this;
    return 0;
  }

 private:
  std::string Call(const char* method) const {
    return std::string(which_ == DeviceGuid::SysMouse ? "Mouse." : "Keyboard.") + method;
  }

  DeviceGuid which_;
  bool hasFormat_ = false;
  bool acquired_ = false;
  std::uint32_t references_ = 1;
};

class Input final : public DirectInput {
 public:
  HRESULT CreateDeviceEx(DeviceGuid which, InputDevice** device, void* outer) override {
    const char* name = which == DeviceGuid::SysMouse ? "DirectInput.CreateDeviceEx(Mouse)"
                                                     : "DirectInput.CreateDeviceEx(Keyboard)";
    if (Traced(name)) {
      return E_FAIL;
    }
    if (device == nullptr || outer != nullptr) {
      return DIERR_INVALIDPARAM;
    }
    auto* made = new Device(which);
    Objects().devices.push_back(made);
    *device = made;
    return DI_OK;
  }

  std::uint32_t Release() override {
    backend::Trace("DirectInput.Release");
    if (--references_ > 0) {
      return references_;
    }
    Erase(Objects().inputs, this);
    delete this;
    return 0;
  }

 private:
  std::uint32_t references_ = 1;
};

}  // namespace

void ResetInputObjects() {
  InputObjects& objects = Objects();
  for (Device* device : objects.devices) {
    delete device;
  }
  for (Input* input : objects.inputs) {
    delete input;
  }
  objects = InputObjects{};
}

}  // namespace plat::shared

namespace plat {

HRESULT DirectInputCreateEx(HINSTANCE instance, std::uint32_t /*version*/, DirectInput** directInput,
                            void* outer) {
  if (shared::Traced("DirectInputCreateEx")) {
    return E_FAIL;
  }
  if (instance == nullptr || directInput == nullptr || outer != nullptr) {
    return DIERR_INVALIDPARAM;
  }
  auto* made = new shared::Input;
  shared::Objects().inputs.push_back(made);
  *directInput = made;
  return DI_OK;
}

}  // namespace plat

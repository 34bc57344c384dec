#pragma once

// Global keyboard and mouse capture for recording macros and assigning keys.
class InputHook {
public:
  explicit InputHook(bool layoutOption);
  ~InputHook();

  bool installHooks();
  void removeHooks();

private:
  bool layoutOption;
  bool installed = false;
};

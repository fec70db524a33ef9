// The default system beep, as a seam: the window plays it, tests count it.
#pragma once

namespace talvik {

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// For batch work without sound.
class SilentBeeper : public Beeper {
  public:
    void beep() override {}
};

}  // namespace talvik

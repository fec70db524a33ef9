// Asks the user whether to load a file whose first line lacks the issue marker.
#pragma once

namespace nuvella {

class MarkerQuestion {
  public:
    virtual ~MarkerQuestion() = default;
    // True: load the file anyway.
    virtual bool continueWithoutMarker() = 0;
};

}  // namespace nuvella

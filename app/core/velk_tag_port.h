// TagPort over the engine's ID3v1 entry points.
#pragma once

#include "core/unify_artist.h"

namespace velk::app {

class VelkTagPort : public TagPort {
  public:
    bool Read(const std::string& path, Id3Tag& tag) override;
    bool Write(const std::string& path, const Id3Tag& tag, bool openInPlayer) override;
};

}  // namespace velk::app

#pragma once

#include <string>

#include "json_writer.h"
#include "plexion_dat.hpp"

namespace plexion::dat_dump {

// The document as `plexion-tool dump` prints it, with the sizes of pictures
// as stored (the pictures are not decoded).
std::string DocumentJson(const plexion_dat::SDocument& document,
                         plexion::tool::CJsonWriter::Layout layout);

}  // namespace plexion::dat_dump

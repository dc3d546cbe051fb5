#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "emulator/image_decoder.h"

namespace novu::ctl {

// A decoded memory image for machines: every field of DecodedImage under its own name.
nlohmann::ordered_json ImageToJson(const DecodedImage& image);

// A decoded memory image for people: the settings, then per profile the keys and their macro
// descriptors, then every macro region step by step.
void PrintImage(std::ostream& out, const DecodedImage& image);

}  // namespace novu::ctl

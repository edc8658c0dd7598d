// Plain English reasons for the instrument library's refusals of a write or
// a generation (result codes 201 to 207), added as one line after the
// program's message so that the user learns what to change.
#pragma once

#include "documents/VeskConstants.h"

#include <cstdint>
#include <string>

namespace FailureReasons {

// The writer of a document kind's file (2D sequence, 1D sequence, 2D data,
// 1D data) refused the parameters with the code: "cannot save 'x.s2d': the
// unit spacing is 0". Empty for codes that are not a parameter refusal.
std::string SaveRefusedLine(TDocumentKind kind, uint8_t code, const std::string &fileName);

// The generator of the kind's sequence (2D or 1D) refused the design:
// "cannot generate the sequence: a spacing group has 0 levels". Empty for
// codes that are not a parameter refusal.
std::string GenerateRefusedLine(TDocumentKind kind, uint8_t code);

} // namespace FailureReasons

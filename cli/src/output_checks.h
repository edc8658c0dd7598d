// Checks of an output name before anything is written: that it is not one of
// the input files (through links too), that its extension does not name
// another kind of file, and the first byte of a file for messages.
#pragma once

#include "documents/VeskConstants.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk::cli {

// Throws UsageError when the output is the same file (device and inode) as
// one of the inputs. "-" (standard output) and an output that does not exist
// yet always pass. `inPlaceOption` names the option that allows writing over
// the input ("--in-place"), for the message; empty when there is none.
void RefuseOutputOverInput(const std::string &output, const std::vector<std::string> &inputs,
                           const std::string &inPlaceOption = {});

// Throws UsageError when the output's extension names a file of another kind
// than `kind` (an instrument file of another kind, or a text export). Names
// with another extension, and "-", pass.
void RequireInstrumentOutput(const std::string &output, TDocumentKind kind, const std::string &option);

// The text export formats.
enum class TextFormat { Res2DInv, Csv, Bert };

// The format a text output's extension names (".dat" Res2DInv, ".csv" CSV,
// ".ohm" the unified data format of pyGIMLi/BERT, any letter case); nothing for any other name. Throws UsageError when the
// extension names an instrument file.
std::optional<TextFormat> TextFormatOfOutput(const std::string &output, const std::string &option);

// The first byte of a regular file; nothing for any other name or an empty file.
std::optional<uint8_t> FirstByteOf(const std::string &fileName);

} // namespace vesk::cli

// The sub-commands of vesk. Each takes the arguments after its name, writes
// its results to `out` and its messages to `err`, and answers the exit
// status; a UsageError or DocumentFailure it throws is reported by RunCommand.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace vesk::cli {

struct CommandIo {
    std::ostream &out;
    std::ostream &err;
};

using CommandFunction = int (*)(std::span<const std::string> arguments, CommandIo io);

struct Command {
    std::string_view name;
    std::string_view summary;
    CommandFunction run;
};

int RunInfo(std::span<const std::string> arguments, CommandIo io);
int RunExport(std::span<const std::string> arguments, CommandIo io);
int RunSave(std::span<const std::string> arguments, CommandIo io);
int RunSequence(std::span<const std::string> arguments, CommandIo io);
int RunSynth(std::span<const std::string> arguments, CommandIo io);
int RunInvert(std::span<const std::string> arguments, CommandIo io);
// 2D data: the resistivity section by inversion.
int RunInvertSection(std::span<const std::string> arguments, CommandIo io);
// Runs the picture program vesk-plot installed beside vesk (it draws through
// the desktop program's charts, which vesk itself does not link).
int RunPlotProgram(std::span<const std::string> arguments, CommandIo io);

inline constexpr Command Commands[] = {
    {"info", "show what a sequence or data file holds", RunInfo},
    {"export", "export a document as Res2DInv or CSV text", RunExport},
    {"save", "append, filter and save a document as an instrument file", RunSave},
    {"sequence", "design a 2D or 1D sequence and write it (.s2d, .s1d)", RunSequence},
    {"synth", "make a synthetic survey over a layered earth", RunSynth},
    {"invert", "invert a sounding into a layered model, or 2D data into a resistivity section", RunInvert},
    {"plot", "draw a document's chart into a PNG, SVG or PDF picture", RunPlotProgram},
};

// Runs the command and reports what it throws: a UsageError (status 2) with
// a pointer to its help, a DocumentFailure or another failure (status 1).
int RunReported(const Command &command, std::span<const std::string> arguments, CommandIo io);

// Runs the program: `arguments` without the program name. Reports usage
// errors (status 2) and failed document operations (status 1) on `err`.
int RunVesk(std::span<const std::string> arguments, CommandIo io);

} // namespace vesk::cli

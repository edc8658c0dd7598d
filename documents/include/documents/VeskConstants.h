// Constants of the documents layer: the document kinds (also the filter
// indices of the Open dialog), the names of the object tree nodes, the export
// formats and the Res2DInv sub-array codes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Document kinds. The number of a kind is also the filter index of the Open
// dialog and the kind number that the store receives.
enum class TDocumentKind : uint8_t {
    Seq1D = 1,
    Seq2D = 2,
    Data1D = 3,
    Data2D = 4,
    Data0D = 5,
};

// The kind with the given number (1 to 5); nothing for any other number.
std::optional<TDocumentKind> DocumentKindFromNumber(int32_t number);

// The kind that the extension of a file name stands for (".s1d" 1, ".s2d" 2,
// ".d1d" 3, ".d2d" 4, ".d0d" 5, letters in any case); nothing otherwise.
std::optional<TDocumentKind> DocumentKindFromExtension(std::string_view fileName);

// The kind whose files start with the version byte (220 and 120 a 2D
// sequence, 122, 121 and 221 2D data, 210 and 110 a 1D sequence, 211 and 111
// 1D data, 201 and 101 0D data); nothing for any other byte.
std::optional<TDocumentKind> DocumentKindFromVersionByte(uint8_t version);

// The kind in words for messages: "2D data", "a 1D sequence", ...
std::string_view KindDescription(TDocumentKind kind);

// Text of a document's root node before its running number, e.g. "Data 2D #".
std::string_view TreeNodePrefix(TDocumentKind kind);

// Extension of the instrument file of a kind, e.g. ".d2d".
std::string_view FileExtension(TDocumentKind kind);

// The three children of a 2D sequence's root node, in this order.
inline constexpr std::string_view SequenceNodeText = "Sequence";
inline constexpr std::string_view Cable1NodeText = "Cable 1 (1-24)";
inline constexpr std::string_view Cable2NodeText = "Cable 2 (25-48)";

// Filter list of the Open dialog; the filter index is the document kind.
inline constexpr std::string_view OpenDialogFilter =
    "1D Sequence Files (*.s1d)|*.s1d|2D Sequence Files (*.s2d)|*.s2d|1D Data Files (*.d1d)|*.d1d|"
    "2D Data Files (*.d2d)|*.d2d|0D Data Files (*.d0d)|*.d0d";

// Export filter indices. 2D data offers Res2DInv (1), CSV (2) and the
// unified data format of pyGIMLi/BERT (3); 1D data, 0D data and 2D sequences
// offer CSV alone (1).
inline constexpr int32_t ExportFilterRes2DInv = 1;
inline constexpr int32_t ExportFilterCsv2D = 2;
inline constexpr int32_t ExportFilterUnified2D = 3;
inline constexpr int32_t ExportFilterCsv = 1;

// Default extension of the export dialog by its filter index (1 ".dat", 2 ".csv", 3 ".ohm").
inline constexpr std::array<std::string_view, 3> ExportDefaultExtensions{".dat", ".csv", ".ohm"};

// Sub-array code of the Res2DInv general-array header by array type code:
// Wenner 1, Schlumberger 7, Dipole Dipole 3, Fwd Pole Dipole 6, Pole Pole 2,
// every other type 0.
uint32_t Res2DInvSubArrayCode(uint32_t arrayType);

// Every message text that the documents show through the main window. A
// message about a failed library call is its prefix followed by the library's
// result code in decimal; the other messages are followed by the file name.
// A failure of a file is followed by a line break and one English line with
// the file name and the reason (FileChecks.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace VeskMessages {

// Sequences.
inline constexpr std::string_view Generate2DFailed = "ОШИБКА ПРИ ГЕНРАЦИИ ПОСЛЕДОВАТЕЛЬНОСТИ №: ";
inline constexpr std::string_view Generate1DFailed = "Ошибка при генерации S1D №: ";
inline constexpr std::string_view SaveS2DFailed = "Ошибка при сохранении файла s2d №: ";
inline constexpr std::string_view SaveS1DFailed = "Ошибка при сохранении файла s1d №: ";

// Header of a sequence file, or of a 2D or 1D data file.
inline constexpr std::string_view HeaderReadFailed = "Ошибка при загрузке заголовка файла данных № ";
// Records of a 2D or 1D data file (also the records of a Custom 1D sequence).
inline constexpr std::string_view RecordReadFailed = "Ошибка при загрузке файла данных № ";
inline constexpr std::string_view Data0DHeaderReadFailed = "Ошибка при загрузке заголовка файла данных d0d № ";
inline constexpr std::string_view Data0DRecordReadFailed = "Ошибка при загрузке файла данных d0d № ";
inline constexpr std::string_view DataSaveFailed = "Ошибка при сохранении файла данных № ";

// Followed by the file name: a header whose record count the file cannot hold.
inline constexpr std::string_view CountExceedsFile =
    "Ошибка при загрузке файла данных: число измерений в заголовке больше, чем помещается в файле ";
// Followed by the file name: a file that ends inside its header.
inline constexpr std::string_view HeaderTruncated =
    "Ошибка при загрузке заголовка файла данных: файл короче заголовка ";
// Followed by the file name: a header counting more measurements than any survey has.
inline constexpr std::string_view CountTooLarge =
    "Ошибка при загрузке файла данных: недопустимо большое число измерений в заголовке ";
// Followed by the file name: an export file that cannot be created or written.
inline constexpr std::string_view ExportFailed = "Ошибка при экспорте файла ";

// Prefix followed by the result code in decimal.
inline std::string WithCode(std::string_view prefix, uint32_t code)
{
    return std::string(prefix) + std::to_string(code);
}

// Prefix followed by a file name.
inline std::string WithFileName(std::string_view prefix, std::string_view fileName)
{
    return std::string(prefix) + std::string(fileName);
}

} // namespace VeskMessages

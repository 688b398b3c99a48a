#pragma once
// A catalogue of a chosen size for the benchmarks: a program folder whose
// data folder holds the album pictures and an orvanta.mdb made from the
// sample database (its schema, customers and orders) with PRODUCTS and
// PRODUCTSbak refilled by `products` generated albums over `composers`
// composers. The albums of one composer are spread over the whole table
// (product i belongs to composer i mod `composers`), as a catalogue that
// grew over the years has them.
#include <filesystem>
#include <string>

namespace catalogue::bench {

// Makes <root>/bin/data with the catalogue; returns the program folder
// (<root>/bin). Throws std::runtime_error on failure.
std::filesystem::path MakeGeneratedCatalogue(const std::filesystem::path& root, int products, int composers);

// A new empty folder under the system's temporary folder.
std::filesystem::path MakeTempFolder(const std::string& prefix);

// The process's peak resident memory so far (VmHWM), in kB.
long PeakResidentKb();

}  // namespace catalogue::bench

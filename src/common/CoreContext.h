#pragma once
// What the core's builders and loaders are given when they are made: the
// product, the language texts, the settings file, the display fonts and the
// folders and separators recorded at start. Nothing in it is owned; it must
// outlive what it is given to. Tests make contexts of their own.

namespace pemmaro {

struct ProductSettings;
class Ttextfile_handler;
struct SettingsFile;
class DisplayFonts;
struct CommonServices;

struct CoreContext {
    const ProductSettings& product;
    const Ttextfile_handler& texts;
    const SettingsFile& settings;
    const DisplayFonts& fonts;
    const CommonServices& common; // folders and separators
};

// The program's own context, made of the program-wide values that start-up
// fills. For start-up and the windows only; the core is given a context.
const CoreContext& program_context();

} // namespace pemmaro

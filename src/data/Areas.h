#pragma once
// Areas: sets of geographic items. The distribution area of a species is
// built from its distribution text; the selected area of a browsing window is
// kept in the window's settings section under "Selected Area".

#include <memory>
#include <string>
#include <string_view>

namespace pemmaro {

struct ProductCapabilities;
struct SettingsFile;

class TArea {
public:
    virtual ~TArea() = default;

    // Reads "Selected Area" from the settings section: a non-empty value is
    // read as text without error reports, an absent or empty one selects all.
    void CreateFromSettings(const SettingsFile& settings, std::string_view section);

    virtual std::unique_ptr<TArea> clone() const = 0;
    // Copies the selection of an area of the same class.
    virtual void Assign(const TArea& source) = 0;
    virtual bool Overlaps(const TArea& other) const;
    virtual bool IsInHomeArea() const;
    virtual bool IsOnlyInHomeArea() const = 0;
    virtual void SelectAll() = 0;
    virtual void SaveToSettings(const SettingsFile& settings, std::string_view section) const = 0;
    // The value written under "Selected Area".
    virtual std::string ToText() const = 0;

protected:
    // The body of the text constructor: reads the distribution text syntax of
    // the class. With report_errors a bad text is a fatal error naming the species.
    virtual void ReadText(std::string_view text, bool report_errors,
                          std::string_view species_name) = 0;
};

// The area object of the product: a region area, a country area or none.
std::unique_ptr<TArea> create_area_for_product(const ProductCapabilities& product);
// The same, built from a distribution text (none for products without areas).
std::unique_ptr<TArea> create_area_from_text(const ProductCapabilities& product,
                                             std::string_view text, bool report_errors,
                                             std::string_view species_name);

} // namespace pemmaro

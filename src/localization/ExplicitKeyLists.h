#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <span>

namespace zov {

class TDlgTexte;

// One row of a dialog's explicit key list. The caption key is "SC_" window "_"
// component with Caption as its default (not asked when Caption is null); the hint key
// is "SH_" window "_" component with an empty default. The component "FormCaption"
// stands for the window itself.
struct TExplicitKey {
    const char* Component;
    const char* Caption;
    bool Hint;
};

inline constexpr const char* kFormCaption = "FormCaption";

enum TExplicitPart : uint8_t { epCaption, epHint };

QString ExplicitKey(TExplicitPart part, const QString& window, const QString& component);

// Asks the catalogue for every key of the list in order (a row's caption before its
// hint) and hands each text to apply.
void AskExplicitKeys(
    TDlgTexte& catalogue, const QString& window, std::span<const TExplicitKey> keys,
    const std::function<void(const TExplicitKey&, TExplicitPart, const QString&)>& apply);

// The node properties dialog, window name "NodeProperties": its caption only.
inline constexpr TExplicitKey kNodePropertiesKeys[] = {{"FormCaption", "Node Propertys", false}};

// The link properties dialog, window name "LinkProperties".
inline constexpr TExplicitKey kLinkPropertiesKeys[] = {
    {"FormCaption", "Link Propertys", false},
    {"LinkLabel", nullptr, true},
    {"Style", " Line Style ", true},
    {"StyleSolid", "Solid", true},
    {"StyleDash", "Dash", true},
    {"StyleDot", "Dot", true},
    {"Colors", " Colors ", true},
    {"LinkLineColor", "", true},
    {"LinkStyleColor", "", true},
    {"btnChangeFont", "Change Font...", true},
    {"btnOK", "OK", true},
    {"btnCancel", "Cancel", true},
    {"AllOptions", nullptr, true},
    {"LabelPlacement", " Label Placement ", true},
    {"Edit4", nullptr, true},
    {"LabelPosition", nullptr, true},
    {"Edit5", nullptr, true},
    {"LabelSpacing", nullptr, true},
    {"Size", " Line Size ", true},
    {"Edit1", nullptr, true},
    {"PenWidth", nullptr, true},
    {"LineBegin", " Begin ", true},
    {"LineBeginStyle", nullptr, true},
    {"Edit2", nullptr, true},
    {"LineBeginSize", nullptr, true},
    {"LineEnd", " End ", true},
    {"LineEndStyle", nullptr, true},
    {"Edit3", nullptr, true},
    {"LineEndSize", nullptr, true},
};

// The multi-node edit dialog, window name "MNodeProperties".
inline constexpr TExplicitKey kMNodePropertiesKeys[] = {
    {"FormCaption", "Multiedit", false},
    {"LabelFrame", "Frame", false},
    {"LabelBody", "Body", false},
    {"GroupBoxFarbe", " Color", true},
    {"BodyColor", "", true},
    {"NodeBorderColor", "", true},
    {"btnOK", "&OK", true},
    {"btnCancel", "&Cancel", true},
    {"GroupBoxBreite", " Width", true},
    {"sWidthNone", "no  Change", true},
    {"sWidthMax", "max Width", true},
    {"sWidthMin", "min Width", true},
    {"GroupBoxHoehe", " Height", true},
    {"sHeigthNein", "no Change", true},
    {"sHeightMax", "max Height", true},
    {"sHeightMin", "min Height", true},
    {"GroupBoxVertikal", " Vertical Position", true},
    {"sHOhne", "no Change", true},
    {"sHLinks", "Left", true},
    {"sHRight", "Right", true},
    {"sHCenter", "Center", true},
    {"GroupBoxHorizontal", " Horizontal Position", true},
    {"sVOhne", "no Change", true},
    {"sVOben", "Top", true},
    {"sVUnten", "Bottom", true},
    {"sVCenter", "Center", true},
    {"btnFont", "&Font", true},
    {"GroupBoxStyle", " Linien Style ", true},
    {"StyleSolid", "Solide", true},
    {"StyleDash", "Dash", true},
    {"StyleDot", "Dot", true},
    {"StyleDashDot", "DashDot", true},
    {"GroupBox1", " relative Positioning", true},
    {"rbOHNE", "nothing", true},
    {"rbH", "Horizontal", true},
    {"rbV", "Vertical", true},
};

} // namespace zov

#include "localization/ExplicitKeyLists.h"

#include "localization/DlgTexte.h"

namespace zov {

QString ExplicitKey(TExplicitPart part, const QString& window, const QString& component) {
    return (part == epCaption ? QStringLiteral("SC_") : QStringLiteral("SH_")) + window +
           QLatin1Char('_') + component;
}

void AskExplicitKeys(
    TDlgTexte& catalogue, const QString& window, std::span<const TExplicitKey> keys,
    const std::function<void(const TExplicitKey&, TExplicitPart, const QString&)>& apply) {
    for (const TExplicitKey& row : keys) {
        const QString component = QString::fromLatin1(row.Component);
        if (row.Caption != nullptr) {
            apply(row, epCaption,
                  catalogue.Get(ExplicitKey(epCaption, window, component),
                                QString::fromLatin1(row.Caption)));
        }
        if (row.Hint) {
            apply(row, epHint, catalogue.Get(ExplicitKey(epHint, window, component)));
        }
    }
}

} // namespace zov

#include "techdata/techdatatables.h"

namespace tundrix {

QString techDataTableForKind(UnitKind kind) {
    switch (kind) {
        case UnitKind::Out:
            return QStringLiteral("out");
        case UnitKind::Agr:
            return QStringLiteral("agr");
        case UnitKind::Mka:
            return QStringLiteral("mka");
        case UnitKind::Glco:
            return QStringLiteral("glco");
        case UnitKind::Glcu:
            return QStringLiteral("glcu");
        case UnitKind::Glcr:
            return QStringLiteral("glcr");
        case UnitKind::Glck:
            return QStringLiteral("glck");
        case UnitKind::Ov:
            return QStringLiteral("ov");
        case UnitKind::Os:
            return QStringLiteral("os");
        case UnitKind::On:
            return QStringLiteral("ol");
        case UnitKind::None:
            break;
    }
    return {};
}

QString techDataTableForTab(UnitKind tabKind, int chillerType) {
    return techDataTableForKind(isChiller(tabKind) ? chillerKind(chillerType) : tabKind);
}

}  // namespace tundrix

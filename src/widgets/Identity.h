#pragma once

#include "Version.h"

#include <QString>

namespace tallimo::identity {

inline const QString kTitle = QStringLiteral("Tallimo");
inline const QString kCompany = QStringLiteral("Orvendi");
inline const QString kDescription = QStringLiteral("Herramienta para calcular una venta.");
inline const QString kComment = QStringLiteral("Herramienta para sumar y registrar una venta.");

} // namespace tallimo::identity

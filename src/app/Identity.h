#pragma once

#include <QString>

namespace tallimo::identity {

inline const QString kTitle = QStringLiteral("Tallimo");
inline const QString kCompany = QStringLiteral("Orvendi");
inline const QString kDescription = QStringLiteral("Herramienta para calcular una venta.");
inline const QString kComment = QStringLiteral("Herramienta para sumar y registrar una venta.");
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 7;
inline constexpr int kVersionRevision = 4;

} // namespace tallimo::identity

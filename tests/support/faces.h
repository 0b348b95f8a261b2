// The face a control is really drawn in: the forms' own face where the system has it (Windows
// does), otherwise its metric-compatible stand-in. Any other face would be a fallback that
// misplaces or clips captions.
#pragma once

#include <QFontDatabase>
#include <QString>

inline QString drawnFace(const QString &formFace)
{
    if (QFontDatabase::families().contains(formFace))
        return formFace;
    return formFace == QLatin1String("Times New Roman") ? QStringLiteral("Liberation Serif")
                                                        : QStringLiteral("Liberation Sans");
}

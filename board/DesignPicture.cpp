#include "board/DesignPicture.h"

QPixmap designPicture(const QString &fileName, qreal ratio) {
    const QString path = QStringLiteral(":/") + fileName;
    if (ratio <= 1.0) return QPixmap(path);
    const qsizetype dot = path.lastIndexOf(u'.');
    QPixmap dense(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
    if (dense.isNull()) return QPixmap(path);
    dense.setDevicePixelRatio(2.0);
    if (ratio == 2.0) return dense;
    const QSizeF logical = dense.deviceIndependentSize();
    QPixmap fitted = dense.scaled(qRound(logical.width() * ratio), qRound(logical.height() * ratio),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return fitted;
}

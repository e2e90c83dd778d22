#include "storage/LineList.h"

#include "storage/Codec.h"

namespace tallimo {

LineList::LineList(QObject* parent) : QAbstractListModel(parent) {}

QModelIndex LineList::index(int row, int column, const QModelIndex& parent) const {
    return row >= 0 && row < count() && column == 0 && !parent.isValid() ? createIndex(row, 0)
                                                                         : QModelIndex();
}

int LineList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant LineList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return mLines.at(index.row());
}

QString LineList::line(int index) const {
    return index >= 0 && index < count() ? mLines.at(index) : QString();
}

void LineList::append(const QString& line) {
    const int row = count();
    beginInsertRows({}, row, row);
    mLines.append(line);
    if (mFoldedValid)
        mFolded.append(line.toCaseFolded());
    if (mKeepEncoded)
        mEncoded.append(encodeLines({line}));
    endInsertRows();
}

void LineList::setLines(const QStringList& lines) {
    beginResetModel();
    mLines = lines;
    mFoldedValid = false;
    mFolded.clear();
    if (mKeepEncoded)
        mEncoded = encodeLines(mLines);
    endResetModel();
}

int LineList::findPrefix(const QString& prefix) const {
    if (!mFoldedValid) {
        mFolded.clear();
        mFolded.reserve(mLines.size());
        for (const QString& text : mLines)
            mFolded.append(text.toCaseFolded());
        mFoldedValid = true;
    }
    const QString key = prefix.toCaseFolded();
    for (qsizetype i = 0; i < mFolded.size(); ++i)
        if (mFolded.at(i).startsWith(key))
            return int(i);
    return -1;
}

void LineList::keepEncoded() {
    if (!mKeepEncoded)
        mEncoded = encodeLines(mLines);
    mKeepEncoded = true;
}

QByteArray LineList::encoded() const {
    return mKeepEncoded ? mEncoded : encodeLines(mLines);
}

} // namespace tallimo

#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QStringList>

namespace tallimo {

// The lines of one list, with what searching and saving them need: case-folded
// keys, built at the first search, and, for a list saved after every change,
// its lines encoded, so an added line costs only its own encoding.
class LineList : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit LineList(QObject* parent = nullptr);

    // The view asks for an index of every row at each layout: no virtual calls here.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return int(mLines.size()); }
    // The line at index; empty outside the list.
    QString line(int index) const;
    const QStringList& lines() const { return mLines; }

    void append(const QString& line);
    void setLines(const QStringList& lines);
    void clear() { setLines({}); }

    // The first line, from the top, that begins with prefix without regard to
    // case; -1 when none does. The empty prefix finds the first line.
    int findPrefix(const QString& prefix) const;

    // Keeps the lines' Windows-1252 bytes, each line followed by CR LF, from
    // now on; encoded() reads them.
    void keepEncoded();
    // Every line in Windows-1252 followed by CR LF.
    QByteArray encoded() const;

  private:
    QStringList mLines;
    mutable QStringList mFolded; // valid while mFoldedValid
    mutable bool mFoldedValid = false;
    QByteArray mEncoded; // valid while mKeepEncoded
    bool mKeepEncoded = false;
};

} // namespace tallimo

// The patient page's comments field. It holds what the record's 256-byte slot can
// take: 254 characters, a line break counting as two (it is stored as CR LF), and
// only characters that Latin-1 can hold.
#pragma once

#include <QPlainTextEdit>

class CommentsMemo : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kLimit = 254;
    explicit CommentsMemo(QWidget* parent);

    // Length of a text as stored, line breaks as two bytes.
    static int storedLength(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    static constexpr const char* kWhat = "the comments";
    int room() const;
    void noteFull();
};

// kw-test: gui
// kw-test: link=Qt6::Test
// The in-place editor counts code page 932 bytes, refuses what a cell could
// not store and never lets the text grow past its maximum, whether typed,
// pasted or composed; wrapped editors keep every line non-empty.
#include "sheet/cuiSheetEditor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.resize(300, 100);
    editor_ = new cuiSheetEditor(&host_);
    editor_->setGeometry(0, 0, 200, 24);
    host_.show();
    editor_->show();
    editor_->setFocus();
  }
  void Type(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(editor_, &press);
  }

  QWidget host_;
  cuiSheetEditor* editor_ = nullptr;
};

TEST_F(EditorTest, InsertionsAreCutAtTheMaximumOnACharacterBoundary) {
  struct Case {
    int max;
    const char* start;  // code page 932
    QString typed;
    const char* kept;
  } const cases[] = {
      {8, "", QStringLiteral("ABCDEFGHI"), "ABCDEFGH"},
      {5, "", QString::fromUtf8("\u3042\u3044\u3046"), "\x82\xa0\x82\xa2"},  // two of three
      {4, "AB", QString::fromUtf8("\u3042\u3044"), "AB\x82\xa0"},
      {3, "AB", QString::fromUtf8("\u3042"), "AB"},             // half a character never enters
      {0, "", QStringLiteral("ABCDEFGHIJKL"), "ABCDEFGHIJKL"},  // no maximum
      {-1, "", QStringLiteral("AB"), "AB"},
  };
  for (const Case& c : cases) {
    editor_->SetMaxBytes(c.max);
    editor_->SetBytes(c.start, 99, 0);
    Type(c.typed);
    EXPECT_EQ(editor_->Bytes(), c.kept) << c.max << " " << c.typed.toStdString();
  }
}

TEST_F(EditorTest, CharactersACellCannotStoreAreRefusedFromEveryRoute) {
  editor_->SetMaxBytes(20);
  editor_->SetBytes("", 0, 0);
  Type(QString::fromUtf8("a\u00e9b"));  // no code page 932 byte for e-acute
  QApplication::clipboard()->setText(QString::fromUtf8("c\td\ne\u00e9f"));
  editor_->paste();
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("\u304b\u00e9"));
  QApplication::sendEvent(editor_, &commit);
  EXPECT_EQ(editor_->Bytes(), "abcdef\x82\xa9");
  // Enter and Escape never reach the text.
  QTest::keyClick(editor_, Qt::Key_Return);
  QTest::keyClick(editor_, Qt::Key_Escape);
  EXPECT_EQ(editor_->Bytes(), "abcdef\x82\xa9");
}

TEST_F(EditorTest, PastedAndComposedTextRespectTheMaximumToo) {
  editor_->SetMaxBytes(6);
  editor_->SetBytes("ABCD", 1, 2);  // "BC" selected: room for 4 bytes
  QApplication::clipboard()->setText(QString::fromUtf8("\u3042\u3044\u3046"));
  editor_->paste();
  EXPECT_EQ(editor_->Bytes(),
            "A\x82\xa0\x82\xa2"
            "D");
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("XYZ"));
  QApplication::sendEvent(editor_, &commit);
  EXPECT_EQ(editor_->Bytes(),
            "A\x82\xa0\x82\xa2"
            "D");
}

TEST_F(EditorTest, CaretAndSelectionCountBytes) {
  editor_->SetBytes(
      "A\x82\xa0"
      "BC",
      3, 1);
  EXPECT_EQ(editor_->textCursor().selectedText(), QStringLiteral("B"));
  EXPECT_EQ(editor_->CaretBytes(), 3);
  EXPECT_EQ(editor_->SelectionBytes(), 1);
  // An offset inside a character and one past the end are pulled back.
  editor_->SetBytes(
      "A\x82\xa0"
      "BC",
      2, 99);
  EXPECT_EQ(editor_->CaretBytes(), 1);
  EXPECT_EQ(editor_->SelectionBytes(), 4);
  // A line break counts two bytes.
  editor_->SetBytes("AB\r\nCD", 4, 2);
  EXPECT_EQ(editor_->textCursor().selectedText(), QStringLiteral("CD"));
  EXPECT_EQ(editor_->Bytes(), "AB\r\nCD");
}

// A character wider than 90 % of a narrow wrapped editor stands on its own
// line: no empty line before it.
TEST_F(EditorTest, WrappedLinesAreNeverEmpty) {
  editor_->SetWrapped(true);
  editor_->setGeometry(0, 0, 10, 60);
  QFont font;
  font.setPixelSize(16);
  editor_->setFont(font);
  editor_->SetMaxBytes(0);
  editor_->SetBytes("\x82\x76\x82\x76\x82\x76", 0, 0);  // three full-width W
  QApplication::processEvents();
  const QTextBlock block = editor_->document()->firstBlock();
  QTextLayout* layout = block.layout();
  ASSERT_NE(layout, nullptr);
  ASSERT_GE(layout->lineCount(), 3);
  for (int i = 0; i < layout->lineCount(); ++i)
    EXPECT_GT(layout->lineAt(i).textLength(), 0) << "line " << i;
  // No break entered the text.
  EXPECT_EQ(editor_->Bytes(), "\x82\x76\x82\x76\x82\x76");
}

}  // namespace

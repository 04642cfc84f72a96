#pragma once

#include "model/DElemInt.h"

#include <QStringList>
#include <QtGlobal>

#include <span>

class DFileStream;

// An analysis option offered in a drop-down list: one stored 8-bit element,
// default 0, whose value is the index of its text. A derived option supplies
// its text ids and the module names its operations report in errors, and
// adds the predicates that give the values their meaning.
class DGraphOption
{
public:
    // The texts of the list in value order, in the current language.
    QStringList Texts() const;

    // Stores an index of the list as a user change; anything else (-1 for no
    // selection) is no choice and leaves the value alone.
    void Choose(int index);
    // The operation names errors of showing and choosing report.
    const char* DrawModule() const { return drawModule_; }
    const char* UpdateModule() const { return updateModule_; }

    qint32 GetValue() const { return value_.GetValue(); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    bool IsChangedByUser() const { return value_.IsChangedByUser(); }

    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void ToFileAs(DFileStream& stream, qint32 stored) { value_.ToFileAs(stream, stored); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }
    // For an option stored elsewhere than in its analysis block (a record
    // of the tagged section): the write of the test that stored it.
    void MarkSaved(DFileStream& stream) { value_.MarkSaved(stream); }
    // For options whose every use expects a value of the list (an order that
    // picks the sort rule): a value outside it is read as the default, 0, so
    // such a file still opens and draws.
    void FromFileOrDefault(DFileStream& stream);

    // Value and change state of another option of the same kind.
    void TakeData(const DGraphOption& other);

protected:
    // The ids must outlive the option: pass a static array of the derived class.
    DGraphOption(std::span<const int> textIds, const char* drawModule, const char* updateModule)
        : textIds_(textIds), drawModule_(drawModule), updateModule_(updateModule)
    {
    }

private:
    DElemInt8 value_;
    std::span<const int> textIds_;
    const char* drawModule_;
    const char* updateModule_;
};

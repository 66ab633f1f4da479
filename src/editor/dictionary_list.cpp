#include "editor/dictionary_list.h"

#include <commctrl.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/bounded_copy.h"
#include "common/win32_text.h"
#include "editor/list_view.h"
#include "editor/word_list.h"
#include "storage/dictionary_shelf.h"
#include "storage/dictionary_take.h"
#include "ui/resource_ids.h"
#include "ui/ui_text.h"

namespace {

// The form before the meaning: a long meaning is cut, and its tip shows it whole.
enum Column { kNumber, kHeadword, kReading, kForm, kMeaning, kColumns };
constexpr int kColumnWidths[kColumns] = {14, 62, 62, 110, 136};  // dialog units, as wide as the list
constexpr Text kColumnTitles[kColumns] = {Text::DictionaryColumnHeadword, Text::DictionaryColumnHeadword,
                                          Text::DictionaryColumnReading, Text::DictionaryColumnForm,
                                          Text::DictionaryColumnMeaning};
constexpr int kKeyedRows = 9;  // Alt+1 to Alt+9
constexpr UINT_PTR kDigitKeysSubclass = 1;
// Every control that can hold the focus, the note too (a click puts the caret there).
constexpr int kFieldsWithKeys[] = {IDC_TERM, IDC_READING,         IDC_SPELLING,        IDC_DESCRIPTION,
                                   IDC_DICTIONARY_NOTE, IDC_DICTIONARY_LIST, IDOK, IDCANCEL};

// One edit dialog at a time; the loading thread reads this to know whom to tell.
std::atomic<HWND> listeningDialog{nullptr};
std::vector<DictionaryMatch> shown;

void TellLoadEnded() {
    if (HWND dialog = listeningDialog.load()) PostMessageW(dialog, kDictionariesLoaded, 0, 0);
}

std::wstring FieldText(HWND dialog, int id) { return WholeWindowText(GetDlgItem(dialog, id)); }

Text InflectionText(Inflection form) {
    switch (form) {
    case Inflection::Past: return Text::InflectionPast;
    case Inflection::TeForm: return Text::InflectionTeForm;
    case Inflection::Negative: return Text::InflectionNegative;
    case Inflection::Polite: return Text::InflectionPolite;
    case Inflection::Desire: return Text::InflectionDesire;
    case Inflection::Potential: return Text::InflectionPotential;
    case Inflection::Passive: return Text::InflectionPassive;
    case Inflection::PotentialOrPassive: return Text::InflectionPotentialOrPassive;
    case Inflection::Causative: return Text::InflectionCausative;
    case Inflection::CausativePassive: return Text::InflectionCausativePassive;
    case Inflection::Volitional: return Text::InflectionVolitional;
    case Inflection::Imperative: return Text::InflectionImperative;
    case Inflection::ConditionalBa: return Text::InflectionConditionalBa;
    case Inflection::ConditionalTara: return Text::InflectionConditionalTara;
    case Inflection::Progressive: return Text::InflectionProgressive;
    case Inflection::Completion: return Text::InflectionCompletion;
    case Inflection::Adverb: return Text::InflectionAdverb;
    case Inflection::Plural: return Text::InflectionPlural;
    case Inflection::PastParticiple: return Text::InflectionPastParticiple;
    case Inflection::IngForm: return Text::InflectionIngForm;
    case Inflection::Comparative: return Text::InflectionComparative;
    case Inflection::Superlative: return Text::InflectionSuperlative;
    case Inflection::SuruVerb: break;  // never named: it is the する of the dictionary form
    }
    return Text::InflectionJoiner;
}

// "past of 食べる" in the interface's language; empty for the entry's own form.
std::wstring DescribeForm(const DictionaryMatch& match) {
    if (match.forms.empty()) return {};
    const InflectionWording wording = WordInflections(match.forms, match.formBase);
    std::wstring named;
    for (Inflection form : wording.named) {
        if (!named.empty()) named += UiText(Text::InflectionJoiner);
        named += UiText(InflectionText(form));
    }
    if (named.empty()) return AsWideString(wording.base);
    return UiText(Text::DictionaryFormOf, named, AsWideString(wording.base));
}

std::wstring CellText(size_t row, int column) {
    const DictionaryMatch& match = shown[row];
    switch (column) {
    case kNumber: return row < kKeyedRows ? std::to_wstring(row + 1) : std::wstring();
    case kHeadword: return AsWideString(match.headword);
    case kReading: return AsWideString(match.reading);
    case kMeaning: return AsWideString(JoinGlosses(match.glosses));
    case kForm: return DescribeForm(match);
    default: return {};
    }
}

std::wstring JoinedNames(const std::vector<std::wstring>& names) {
    std::wstring joined;
    for (const std::wstring& name : names) {
        if (!joined.empty()) joined += UiText(Text::ListSeparator);
        joined += name;
    }
    return joined;
}

// What the line above the list says: how to take an entry, or why there is none.
std::wstring NoteFor(const DictionaryShelfState& state, bool termEmpty) {
    std::wstring note;
    if (state.dictionaries == 0) {
        note = state.loading ? UiText(Text::DictionaryLoading)
                             : UiText(Text::DictionaryNoneInstalled, DictionaryFolder());
    } else if (state.loading && shown.empty()) {
        note = UiText(Text::DictionaryLoading);
    } else if (!termEmpty) {
        note = shown.empty() ? UiText(Text::DictionaryNotFound)
                             : UiText(Text::DictionaryFound, std::to_wstring(shown.size()));
    }
    if (!state.skipped.empty()) {
        if (!note.empty()) note += L"\r\n";
        note += UiText(Text::DictionarySkipped, JoinedNames(state.skipped));
    }
    return note;
}

// Alt+1 to Alt+9 on the number row, wherever the focus is in the dialog. Not
// on the keypad: Alt with keypad digits types a character by its code (Alt+0233 is é).
int KeyedRow(WPARAM key) {
    if (key >= '1' && key <= '9') return static_cast<int>(key - '1');
    return -1;
}

LRESULT CALLBACK DigitKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SYSKEYDOWN && KeyedRow(wParam) >= 0) {
        TakeDictionaryRow(GetParent(control), KeyedRow(wParam));
        return 0;
    }
    // Its character would be looked for as an access key, and the dialog beep at finding none.
    if (message == WM_SYSCHAR && wParam >= L'1' && wParam <= L'9') return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, DigitKeys, kDigitKeysSubclass);
    return DefSubclassProc(control, message, wParam, lParam);
}

void AddColumns(HWND dialog, HWND list) {
    const wchar_t* titles[kColumns];
    int widths[kColumns];
    for (int column = 0; column < kColumns; ++column) {
        titles[column] = column == kNumber ? L"" : UiText(kColumnTitles[column]);
        RECT width{0, 0, kColumnWidths[column], 0};
        MapDialogRect(dialog, &width);
        widths[column] = width.right;
    }
    ListAddColumns(list, titles, widths, kColumns);
}

}  // namespace

void SetUpDictionaryList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_DICTIONARY_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    AddColumns(dialog, list);
    for (int id : kFieldsWithKeys) SetWindowSubclass(GetDlgItem(dialog, id), DigitKeys, kDigitKeysSubclass, 0);
    SetDictionaryLoadTeller(TellLoadEnded);
    listeningDialog.store(dialog);
    ShowDictionaryMatches(dialog);
}

void EndDictionaryList(HWND dialog) {
    HWND expected = dialog;
    listeningDialog.compare_exchange_strong(expected, nullptr);
    shown.clear();
}

void ShowDictionaryMatches(HWND dialog, bool listFolder) {
    if (listeningDialog.load() != dialog) return;  // the fields are still being filled
    if (listFolder) RefreshDictionaries();
    const std::wstring term = FieldText(dialog, IDC_TERM);
    shown = term.empty() ? std::vector<DictionaryMatch>() : LookUpInDictionaryShelf(AsUtf16View(term.c_str()));
    HWND list = GetDlgItem(dialog, IDC_DICTIONARY_LIST);
    ListSetVirtualCount(list, static_cast<int>(shown.size()));
    if (!shown.empty()) ListEnsureVisible(list, 0);
    SetDlgItemTextW(dialog, IDC_DICTIONARY_NOTE, NoteFor(DictionaryShelfNow(), term.empty()).c_str());
}

bool OnDictionaryListNotify(HWND dialog, const NMHDR* header) {
    if (header->idFrom != IDC_DICTIONARY_LIST) return false;
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))->item;
        if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return true;
        item.pszText[0] = L'\0';
        if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= shown.size()) return true;
        CopyBounded(item.pszText, static_cast<size_t>(item.cchTextMax),
                    std::wstring_view(CellText(static_cast<size_t>(item.iItem), item.iSubItem)));
        return true;
    }
    case NM_CLICK: {
        const int row = reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem;
        if (row >= 0) TakeDictionaryRow(dialog, row);
        return true;
    }
    default:
        return false;
    }
}

bool TakeDictionaryRow(HWND dialog, int row) {
    if (row < 0 || static_cast<size_t>(row) >= shown.size()) return false;
    const std::wstring fields[4] = {FieldText(dialog, IDC_TERM), FieldText(dialog, IDC_READING),
                                    FieldText(dialog, IDC_SPELLING), FieldText(dialog, IDC_DESCRIPTION)};
    EditedTexts texts{std::u16string(AsUtf16View(fields[0].c_str())), std::u16string(AsUtf16View(fields[1].c_str())),
                      std::u16string(AsUtf16View(fields[2].c_str())), std::u16string(AsUtf16View(fields[3].c_str()))};
    TakeDictionaryMatch(shown[static_cast<size_t>(row)], texts, kEntryTextUnits - 1);
    // Only what changed is set, so the caret and the undo of the other fields stay.
    const std::u16string* after[4] = {&texts.term, &texts.reading, &texts.spelling, &texts.meaning};
    constexpr int kIds[4] = {IDC_TERM, IDC_READING, IDC_SPELLING, IDC_DESCRIPTION};
    for (int field = 1; field < 3; ++field) {
        if (*after[field] != AsUtf16View(fields[field].c_str())) SetDlgItemTextW(dialog, kIds[field], AsWide(after[field]->c_str()));
    }
    // The glosses are added at the meaning's end as if typed there: what the
    // user types next follows them (a text set anew puts the caret before
    // everything), and undo takes back them alone, not what was typed before.
    if (texts.meaning.size() > fields[3].size()) {
        HWND meaning = GetDlgItem(dialog, IDC_DESCRIPTION);
        const std::wstring added = AsWideString(std::u16string_view(texts.meaning).substr(fields[3].size()));
        SendMessageW(meaning, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(meaning, EM_SETSEL, fields[3].size(), fields[3].size());
        SendMessageW(meaning, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(added.c_str()));
    }
    HWND list = GetDlgItem(dialog, IDC_DICTIONARY_LIST);
    ListSetState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListEnsureVisible(list, row);
    return true;
}

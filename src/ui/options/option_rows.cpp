#include "ui/options/option_rows.h"

namespace kiv {

namespace {

using C = OptionControl;
using E = OptionEffect;

constexpr const char* kMain = "Главные";
constexpr const char* kText = "Цвета/Область редактирования";
constexpr const char* kOther = "Цвета/Остальные";
constexpr const char* kFonts = "Шрифты";
constexpr const char* kBrowsers = "Браузеры";
constexpr const char* kSaving = "Сохранение";
constexpr const char* kFileManager = "Файл-менеджер";
constexpr const char* kMisc = "Разное";
constexpr const char* kPictures = "Картинки (*.bmp *.BMP *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG)|Все файлы (*)";
constexpr const char* kPrograms = "Программы (*)";

const OptionRow kRows[] = {
    {kMain, "", "cbDoEncDetect", "Определять кодировку автоматически", C::Check, "Main", "DoEncDetect", "", E::None, true},
    {kMain, "", "cbChangeQuotes", "Заменять прямые кавычки на парные при вводе", C::Check, "AutoEdit", "ChangeQuotes", "", E::None, true},
    {kMain, "", "spTabsCount", "Кол-во знаков на один TAB", C::Spin, "Main", "SpacesPerTab", "", E::None, true},
    {kMain, "", "cbDefAutoIndent", "Автоотступ по умолчанию активен", C::Check, "Main", "DefAutoIndent", "", E::None, false},
    {kMain, "", "cbMarginActive", "Правая граница редактора активна", C::Check, "Main", "MarginActive", "", E::Margin, false},
    {kMain, "", "cbHighlightUrls", "Выделять синтаксис цветом", C::Check, "Main", "SyntaxHighlight", "", E::SyntaxHighlight, false},
    {kMain, "", "pAutoIndent", "Число пробелов в отступе:", C::IntText, "Main", "autoindent", "", E::BlockIndent, false},
    {kMain, "", "cbLined", "Редактор в линейку, как тетрадь", C::Check, "Main", "Lined", "", E::LineSeparators, false},
    {kMain, "", "cbShowLineNumbers", "Показывать номера строк", C::Check, "Main", "ShowLineNumbers", "", E::LineNumbers, false},
    {kMain, "", "Edit1", "Ширина каждой строки в кол-ве символов:", C::Spin, "Main", "RMargin", "", E::Margin, false},
    {kMain, "Озвучивание событий", "cbKeySound", "Звук нажатия клавиш", C::Check, "Sounds", "Key", "", E::None, false},
    {kMain, "Озвучивание событий", "cbRETSound", "Звук возврата каретки", C::Check, "Sounds", "CRET", "", E::None, false},
    {kMain, "Автопрокрутка", "cbAutoscroll", "Активна", C::Check, "Autoscroll", "Active", "", E::AutoScrollActive, false},
    {kMain, "Автопрокрутка", "seAutoscrollLines", "Прокручивать N строк:", C::Spin, "Autoscroll", "LinesPerTime", "", E::AutoScrollLines, false},
    {kMain, "Автопрокрутка", "seAutoscrollTime", "За N миллисекунд:", C::Spin, "Autoscroll", "Time", "", E::None, false},
    {kMain, "", "edimageEditor", "Графический редактор", C::File, "Main", "imageeditor", kPrograms, E::None, false},
    {kMain, "", "edimageviewer", "Смотрелка картинок", C::File, "Main", "imageviewer", kPrograms, E::None, false},
    {kMain, "", "seRecentCount", "Recent files list items count", C::Spin, "Main", "MRUItemsCount", "", E::RecentCount, false},

    {kText, "Заливка", "rbFNONE", "Заливка сплошным цветом", C::Radio, "Editor", "FillOption", "0", E::TextBackground, false},
    {kText, "Заливка", "rbGrad", "Градиент:", C::Radio, "Editor", "FillOption", "2", E::TextBackground, false},
    {kText, "Заливка", "cpFrom", "От", C::Color, "Editor", "GradientColor1", "", E::TextBackground, false},
    {kText, "Заливка", "cpTo", "До", C::Color, "Editor", "GradientColor2", "", E::TextBackground, false},
    {kText, "Заливка", "cbFillGradMode", "Направление", C::Choice, "Editor", "GradientMode", "Вертикальный=1|Горизонтальный=2", E::TextBackground, false},
    {kText, "Заливка", "rbWall", "Обои", C::Radio, "Editor", "FillOption", "1", E::TextBackground, false},
    {kText, "Заливка", "fillwallpaper", "Картинка", C::File, "Editor", "Wallpaper", kPictures, E::TextBackground, false},
    {kText, "Заливка", "cbFillWallMode", "Размещение", C::Choice, "Editor", "WallpaperMode", "Текстура=1|Растянуть=3|По центру=2", E::TextBackground, false},
    {kText, "Обычный текст", "cpBackColor", "Цвет фона", C::Color, "Main", "BGColor", "", E::Colors, false},
    {kText, "Обычный текст", "cpFontColor", "Цвет букв", C::Color, "Main", "FontColor", "", E::Colors, false},
    {kText, "Выделенный текст", "cpSelBack", "Цвет фона", C::Color, "Main", "SelBGColor", "", E::Colors, false},
    {kText, "Выделенный текст", "cpSelFontColor", "Цвет букв", C::Color, "Main", "SelFontColor", "", E::Colors, false},

    {kOther, "Gutter", "rbFillSimpleColor", "Заливка сплошным цветом", C::Radio, "Gutter", "GFillOption", "0", E::Gutter, false},
    {kOther, "Gutter", "cpGutterSimpleColor", "Цвет", C::Color, "Gutter", "SimpleColor", "", E::GutterPlainColor, false},
    {kOther, "Gutter", "rbGutterGrad", "Градиент:", C::Radio, "Gutter", "GFillOption", "2", E::Gutter, false},
    {kOther, "Gutter", "cpGradFrom", "От", C::Color, "Gutter", "GradientColor1", "", E::Gutter, false},
    {kOther, "Gutter", "cpGradTo", "До", C::Color, "Gutter", "GradientColor2", "", E::Gutter, false},
    {kOther, "Gutter", "lbGutterGradMode", "Направление", C::Choice, "Gutter", "GradientMode", "Вертикальный=1|Горизонтальный=2", E::Gutter, false},
    {kOther, "Gutter", "rbGutterWall", "Обои", C::Radio, "Gutter", "GFillOption", "1", E::Gutter, false},
    {kOther, "Gutter", "edGutterWallpaper", "Картинка", C::File, "Gutter", "Wallpaper", kPictures, E::Gutter, false},
    {kOther, "Gutter", "lbGutterTileMode", "Размещение", C::Choice, "Gutter", "WallpaperMode", "Текстура=1|Растянуть=3|По центру=2", E::Gutter, false},
    {kOther, "Gutter", "spGutterWidth", "Ширина в пикселах", C::Spin, "Gutter", "width", "", E::Gutter, false},

    {kFonts, "", "fcWindowsFont", "Шрифт для Windows", C::Font, "Fonts", "WIN", "", E::CharsetFonts, false},
    {kFonts, "", "seWINSize", "Размер", C::Spin, "Fonts", "WINSize", "", E::CharsetFontSizes, false},
    {kFonts, "", "fcDOSFont", "Шрифт для DOS", C::Font, "Fonts", "DOS", "", E::CharsetFonts, false},
    {kFonts, "", "seDOSSize", "Размер", C::Spin, "Fonts", "DOSSize", "", E::CharsetFontSizes, false},
    {kFonts, "", "fcKOIFont", "Шрифт для KOI-8", C::Font, "Fonts", "KOI8", "", E::CharsetFonts, false},
    {kFonts, "", "seKOI8Size", "Размер", C::Spin, "Fonts", "KOI8Size", "", E::CharsetFontSizes, false},

    {kBrowsers, "", "dcIE", "IE Explorer", C::File, "Browsers", "IEPath", kPrograms, E::None, false},
    {kBrowsers, "", "dcOpera", "Opera", C::File, "Browsers", "OperaPath", kPrograms, E::None, false},
    {kBrowsers, "", "dcNetscape", "Netscape", C::File, "Browsers", "NetscapePath", kPrograms, E::None, false},
    {kBrowsers, "", "dcCustom", "Custom browser", C::File, "Browsers", "CustomPath", kPrograms, E::None, false},

    {kSaving, "Версии", "cbSaveVersionOnExit", "Сохранять версию при закрытии", C::Check, "SaveOptions", "SaveVersionOnExit", "", E::None, false},
    {kSaving, "Версии", "cbConvertVersionTo", "Конвертировать версию в кодировку", C::Check, "SaveOptions", "DoConvertVersionToCharset", "", E::None, false},
    {kSaving, "Версии", "rbWin", "Windows", C::Radio, "SaveOptions", "ConvertVersionToCharset", "win", E::None, false},
    {kSaving, "Версии", "rbKOI", "KOI8-R", C::Radio, "SaveOptions", "ConvertVersionToCharset", "koi", E::None, false},
    {kSaving, "Версии", "rbDOS", "DOS 866", C::Radio, "SaveOptions", "ConvertVersionToCharset", "dos", E::None, false},
    {kSaving, "Версии", "cbAddPrefixToVersion", "Добавлять префикс к имени версии:", C::Check, "SaveOptions", "AddVersionNamePrefix", "", E::None, false},
    {kSaving, "Версии", "edPrefix", "Префикс", C::Text, "SaveOptions", "VersionNamePrefix", "", E::None, false},
    {kSaving, "Версии", "cbSamePlace", "Сохранять версию в папке оригинала", C::Check, "SaveOptions", "SaveInSameFolder", "", E::None, false},
    {kSaving, "Версии", "cbDoCopyOfVer", "Делать копию версии еще и в папке...", C::Check, "SaveOptions", "DoCopyVer", "", E::None, false},
    {kSaving, "Версии", "deCopyVer", "Папка", C::Folder, "SaveOptions", "CopyVerPath", "", E::None, false},
    {kSaving, "Сохранять все при переходе в ", "cbStandBy", "Standby mode", C::Check, "PowModes", "StandBy", "", E::None, false},
    {kSaving, "Сохранять все при переходе в ", "cbSuspend", "Suspend Mode", C::Check, "PowModes", "Suspend", "", E::None, false},
    {kSaving, "Сохранять все при переходе в ", "cbShutdown", "On Shutdown/Restart", C::Check, "PowModes", "shutdown", "", E::None, false},
    {kSaving, "Резервные копии", "cbBkOnOpen", "При открытии файла", C::Check, "Main", "bkonopen", "", E::None, false},
    {kSaving, "WWW", "cbautosaveonpreview", "Автосэйв перед preview", C::Check, "SaveOptions", "autosaveonpreview", "", E::None, false},

    {kFileManager, "", "seDizorudCols", "Число колонок", C::Spin, "FileBox", "Cols", "", E::FileBrowser, false},
    {kFileManager, "", "fcDizorudFont", "Шрифт", C::Font, "FileBox", "NepFont", "", E::FileBrowser, false},
    {kFileManager, "", "seNepFontSize", "Его размер:", C::Spin, "FileBox", "NepFontSize", "", E::FileBrowser, false},
    {kFileManager, "Цвета", "cbFolders", "Папки", C::Color, "FileBox", "Folders", "", E::FileBrowser, false},
    {kFileManager, "Цвета", "cbFiles", "Файлы", C::Color, "FileBox", "Files", "", E::FileBrowser, false},
    {kFileManager, "Цвета", "cbBack", "Фон", C::Color, "FileBox", "Back", "", E::FileBrowser, false},

    {kMisc, "Опции транслита", "cbShya", "Щ = ", C::Choice, "RunglerOpts", "ShchaConvMode", "Sj|Q|Sch|Shch|W", E::Transliteration, false},
    {kMisc, "Опции транслита", "cbH", "Х = ", C::Choice, "RunglerOpts", "XaConvMode", "X|KH", E::Transliteration, false},
    {kMisc, "Опции транслита", "CbV", "В = ", C::Choice, "RunglerOpts", "WInterpMode", "V|Sj", E::Transliteration, false},
};

const char* const kPages[] = {kMain, "Плагины", kText, kOther, kFonts, kBrowsers, kSaving, kFileManager, kMisc};

}  // namespace

std::span<const OptionRow> optionRows() { return kRows; }

const OptionRow* findOptionRow(std::string_view name) {
  for (const auto& r : kRows)
    if (name == r.name) return &r;
  return nullptr;
}

std::span<const char* const> optionPages() { return kPages; }

int adjustRightMargin(int value) { return value == 10 ? 11 : value; }

}  // namespace kiv

#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace plax {

inline constexpr const char* HelpFileName = "PLAX.HLP";
// Where the help file travels inside the program.
inline constexpr const char* HelpUrl = "qrc:/help/PLAX.HLP";
inline constexpr const char* HelpResource = ":/help/PLAX.HLP";
inline constexpr const char* HelpCaption = "Plax Help";
// The topic every other one is reached from.
inline constexpr const char* ContentsTopic = "contents";

struct HelpTopic {
    std::string key; // the anchor name
    std::string title;
    std::vector<std::string> keywords;
    bool operator==(const HelpTopic&) const = default;
};

// The topics of a help text, in their order. A topic opens with a heading that holds
// <a name="KEY"></a> and the title, followed by <p class="keywords">Keywords: a; b; c</p>.
std::vector<HelpTopic> ParseHelpTopics(const std::string& html);

// The help viewer: the help file in a browser, its contents page, and a keyword index whose
// filter narrows the list as the user types. It stays open beside the frame (not modal).
class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);

    // The topic with this key; the contents for "" or a key the file does not have.
    void ShowTopic(const std::string& key);
    // The keyword index, with `key` in its filter.
    void ShowSearch(const std::string& key);

    // The key of the topic on show.
    std::string CurrentTopic() const;
    const std::vector<HelpTopic>& Topics() const { return topics_; }
    QTextBrowser& Browser() const { return *browser_; }
    QLineEdit& Filter() const { return *filter_; }
    QListWidget& Keywords() const { return *keywords_; }
    bool IndexShown() const;

private:
    QWidget* MakeButtonRow();
    QWidget* MakeIndexPanel();
    void FillKeywords();
    void GoTo(const std::string& key);
    void FilterKeywords(const QString& text);
    void KeywordChosen(QListWidgetItem* item);
    void TopicShown(const QUrl& url);
    const HelpTopic* FindTopic(const std::string& key) const;

    std::vector<HelpTopic> topics_;
    QTextBrowser* browser_ = nullptr;   // child
    QWidget* indexPanel_ = nullptr;     // child
    QLineEdit* filter_ = nullptr;       // child
    QListWidget* keywords_ = nullptr;   // child
    QPushButton* backButton_ = nullptr; // child
};

} // namespace plax

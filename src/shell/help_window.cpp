#include "help_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace plax {

namespace {

// The help file is ours, but a damaged build should not make the viewer read without end.
constexpr qint64 MaxHelpBytes = 4 * 1024 * 1024;

std::string PlainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().trimmed().toStdString();
}

std::string ReadHelpFile() {
    QFile file(QString::fromUtf8(HelpResource));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(MaxHelpBytes).toStdString();
}

} // namespace

std::vector<HelpTopic> ParseHelpTopics(const std::string& html) {
    const QRegularExpression topicPattern(
        QString::fromUtf8(R"re(<h([1-3])><a name="([A-Za-z0-9_]+)"></a>(.*?)</h\1>\s*)re"
                          R"re(<p class="keywords">Keywords:(.*?)</p>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    std::vector<HelpTopic> topics;
    const QString text = QString::fromStdString(html);
    for (auto it = topicPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        HelpTopic topic{match.captured(2).toStdString(), PlainText(match.captured(3)), {}};
        // Entities are decoded first: "&amp;" holds a ';' of its own.
        const QString keywords = QString::fromStdString(PlainText(match.captured(4)));
        for (const QString& keyword : keywords.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!keyword.trimmed().isEmpty()) topic.keywords.push_back(keyword.trimmed().toStdString());
        }
        topics.push_back(std::move(topic));
    }
    return topics;
}

THelpForm::THelpForm(QWidget* parent)
    : QWidget(parent, Qt::Window), topics_(ParseHelpTopics(ReadHelpFile())) {
    setWindowTitle(QString::fromUtf8(HelpCaption));
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::sourceChanged, this, &THelpForm::TopicShown);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(MakeIndexPanel());
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeButtonRow());
    layout->addWidget(splitter, 1);
    indexPanel_->hide();
    resize(760, 540);
    GoTo(ContentsTopic);
}

QWidget* THelpForm::MakeButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* contents = new QPushButton(tr("&Contents"), row);
    auto* index = new QPushButton(tr("&Index"), row);
    backButton_ = new QPushButton(tr("&Back"), row);
    backButton_->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(""); });
    connect(index, &QPushButton::clicked, this, [this] { ShowSearch(filter_->text().toStdString()); });
    connect(backButton_, &QPushButton::clicked, this, [this] { browser_->backward(); });
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QPushButton::setEnabled);
    layout->addWidget(contents);
    layout->addWidget(index);
    layout->addWidget(backButton_);
    layout->addStretch(1);
    return row;
}

QWidget* THelpForm::MakeIndexPanel() {
    indexPanel_ = new QWidget(this);
    auto* layout = new QVBoxLayout(indexPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Type the &word you are looking for:"), indexPanel_);
    filter_ = new QLineEdit(indexPanel_);
    label->setBuddy(filter_);
    keywords_ = new QListWidget(indexPanel_);
    layout->addWidget(label);
    layout->addWidget(filter_);
    layout->addWidget(keywords_, 1);
    FillKeywords();
    connect(filter_, &QLineEdit::textChanged, this, &THelpForm::FilterKeywords);
    connect(filter_, &QLineEdit::returnPressed, this, [this] { KeywordChosen(keywords_->currentItem()); });
    connect(keywords_, &QListWidget::itemActivated, this, &THelpForm::KeywordChosen);
    connect(keywords_, &QListWidget::itemClicked, this, &THelpForm::KeywordChosen);
    return indexPanel_;
}

void THelpForm::FillKeywords() {
    // A keyword that several topics share names the topic after it.
    std::map<std::string, int> uses;
    for (const HelpTopic& topic : topics_) {
        for (const std::string& keyword : topic.keywords)
            ++uses[keyword];
    }
    for (const HelpTopic& topic : topics_) {
        for (const std::string& keyword : topic.keywords) {
            const std::string text = uses[keyword] > 1 ? keyword + ", " + topic.title : keyword;
            auto* item = new QListWidgetItem(QString::fromStdString(text), keywords_);
            item->setData(Qt::UserRole, QString::fromStdString(topic.key));
        }
    }
    keywords_->sortItems();
}

void THelpForm::FilterKeywords(const QString& text) {
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < keywords_->count(); ++row) {
        QListWidgetItem* item = keywords_->item(row);
        const bool shown = item->text().contains(text.trimmed(), Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first == nullptr) first = item;
    }
    keywords_->setCurrentItem(first);
}

void THelpForm::KeywordChosen(QListWidgetItem* item) {
    if (item == nullptr || item->isHidden()) return;
    GoTo(item->data(Qt::UserRole).toString().toStdString());
}

void THelpForm::ShowTopic(const std::string& key) {
    indexPanel_->hide();
    GoTo(key);
}

void THelpForm::ShowSearch(const std::string& key) {
    indexPanel_->show();
    filter_->setText(QString::fromStdString(key));
    FilterKeywords(filter_->text());
    filter_->setFocus();
}

void THelpForm::GoTo(const std::string& key) {
    const HelpTopic* topic = FindTopic(key);
    QUrl url(QString::fromUtf8(HelpUrl));
    url.setFragment(QString::fromStdString(topic != nullptr ? topic->key : ContentsTopic));
    browser_->setSource(url, QTextDocument::HtmlResource);
}

std::string THelpForm::CurrentTopic() const { return browser_->source().fragment().toStdString(); }

bool THelpForm::IndexShown() const { return !indexPanel_->isHidden(); }

void THelpForm::TopicShown(const QUrl& url) {
    const HelpTopic* topic = FindTopic(url.fragment().toStdString());
    QString caption = QString::fromUtf8(HelpCaption);
    if (topic != nullptr && topic->key != ContentsTopic)
        caption += QStringLiteral(" - ") + QString::fromStdString(topic->title);
    setWindowTitle(caption);
}

const HelpTopic* THelpForm::FindTopic(const std::string& key) const {
    const auto it =
        std::find_if(topics_.begin(), topics_.end(), [&](const HelpTopic& t) { return t.key == key; });
    return it != topics_.end() ? &*it : nullptr;
}

} // namespace plax

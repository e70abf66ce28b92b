// The contrast of each colour of the BODY tag against its background, beside
// the role labels: the ratio on the left, the best level it meets on the right.

#include "Texts.h"
#include "Unit1.h"
#include "color/Contrast.h"
#include "html/BodyTag.h"
#include "ui_Unit1.h"

#include <QLabel>

namespace {

QString Sentence(const tinsora::Contrast& c, tinsora::BodyRole role) {
    const auto meets = [](bool met) {
        return met ? TfrmMain::tr("を満たします。") : TfrmMain::tr("を満たしません。");
    };
    return TfrmMain::tr("%1と%2のコントラスト比は %3 です。")
               .arg(BodyRoleName(role), BodyRoleName(tinsora::BodyRole::Bgcolor),
                    QString::fromStdString(tinsora::ContrastRatioText(c))) +
           QLatin1Char('\n') + TfrmMain::tr("通常の文字の AA（4.5:1 以上）") + meets(c.aa) +
           QLatin1Char('\n') + TfrmMain::tr("通常の文字の AAA（7:1 以上）") + meets(c.aaa) +
           QLatin1Char('\n') + TfrmMain::tr("大きな文字の AA（3:1 以上）") + meets(c.aaLarge);
}

} // namespace

void TfrmMain::ShowBodyContrast() {
    using tinsora::BodyRole;
    const struct {
        QLabel* ratio;
        QLabel* level;
        BodyRole role;
    } rows[] = {
        {ui->lblTextRatio, ui->lblTextLevel, BodyRole::Text},
        {ui->lblLinkRatio, ui->lblLinkLevel, BodyRole::Link},
        {ui->lblVlinkRatio, ui->lblVlinkLevel, BodyRole::Vlink},
        {ui->lblAlinkRatio, ui->lblAlinkLevel, BodyRole::Alink},
    };
    const tinsora::ColorRGB background = tinsora::BodyColor(bodyColors, BodyRole::Bgcolor);
    for (const auto& row : rows) {
        const tinsora::Contrast c =
            tinsora::ContrastOf(tinsora::BodyColor(bodyColors, row.role), background);
        QString ratio = QString::fromStdString(tinsora::ContrastRatioText(c));
        ratio.chop(2); // ":1" is in the tooltip; the column is narrow
        QString mark = tr("×");
        QString color = QStringLiteral("#d04040");
        if (c.aaa) {
            mark = QStringLiteral("AAA");
            color = QStringLiteral("#2f7f2f");
        } else if (c.aa) {
            mark = QStringLiteral("AA");
            color = QStringLiteral("#2f7f2f");
        } else if (c.aaLarge) {
            mark = tr("AA大");
            color = QStringLiteral("#a05a00");
        }
        const QString sentence = Sentence(c, row.role);
        row.ratio->setText(ratio);
        row.ratio->setToolTip(sentence);
        row.level->setText(mark);
        row.level->setToolTip(sentence);
        // For the label alone: its tooltip keeps the tooltip's own colour.
        row.level->setStyleSheet(
            QStringLiteral("#%1 { font-size: 11px; font-weight: bold; color: %2; }")
                .arg(row.level->objectName(), color));
    }
}

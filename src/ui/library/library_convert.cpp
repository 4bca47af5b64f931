// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_convert.h"

#include <QLocale>
#include <QObject>
#include <QStringList>
#include "ui_text.h"

namespace pw::ui {
Outcome outcomeView(const library::Outcome& o) {
    Outcome view;
    view.kind = OutcomeKind(int(o.kind));
    view.output = qs(o.output);
    view.reason = qs(o.reason);
    view.substitutions = o.substitutions;
    view.removals = o.removals;
    return view;
}

DryRun dryRunView(library::ConversionPlan plan) {
    DryRun run;
    for (const library::Outcome& o : plan.outcomes)
        run.outcomes.push_back(outcomeView(o));
    run.plan = std::move(plan);
    return run;
}

QString DryRun::summary() const {
    QStringList parts;
    parts << QObject::tr("%1 will be written").arg(number(plan.write));
    parts << QObject::tr("%1 cannot").arg(number(plan.cannot));
    parts << (plan.namesFixed == 1 ? QObject::tr("1 name fixed")
                                   : QObject::tr("%1 names fixed").arg(number(plan.namesFixed)));
    parts << QObject::tr("%1 would collide").arg(number(plan.collide));
    if (plan.existing.size() == 1)
        parts << QObject::tr("1 exists already (you will be asked)");
    else if (!plan.existing.empty())
        parts << QObject::tr("%1 exist already (you will be asked)")
                     .arg(number(plan.existing.size()));
    return parts.join(QStringLiteral(", "));
}

}  // namespace pw::ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/triage.h"

#include "convert/convert.h"
#include "document/roots.h"

namespace pw::library {

std::string_view statusWord(Status status) {
    switch (status) {
        case Status::Fits:
            return "fits";
        case Status::Converts:
            return "converts";
        case Status::Cannot:
            return "cannot";
        case Status::ViewOnly:
            return "view-only";
        case Status::Unreadable:
            return "unreadable";
    }
    return "";
}

namespace {

std::string refusalReason(const convert::Result& result, const document::Target& target) {
    if (!result.refusal) return "it cannot be saved";
    switch (*result.refusal) {
        case convert::SaveRefusal::SelectAmpChannel:
            return "it has two amp channels and the " + std::string(target.caption) +
                   " one: choose amp channel A or B";
        case convert::SaveRefusal::TooManyConflicts:
            return std::to_string(result.resolveReport.conflictsLeft) +
                   " cells still conflict after Resolve Conflicts";
        case convert::SaveRefusal::ClickFilter:
            return "it needs filtering first";
        case convert::SaveRefusal::BadFileName:
            return "its patch name cannot be saved";
        case convert::SaveRefusal::LoadFileFirst:
            return "it cannot be loaded";
    }
    return "it cannot be saved";
}

std::string unreadableReason(const convert::Result& result) {
    if (result.load == convert::LoadFailure::ParameterMissing)
        return "a Param element has no " + result.missingChild + " element";
    return result.readDetail.empty() ? "it has no Name element" : result.readDetail;
}

std::string viewOnlyReason(const convert::Result& result) {
    const document::RootInfo* root = document::rootInfo(result.sourceRoot);
    if (!root) return "no known model";
    return std::string(root->model) + " presets can only be viewed";
}

}  // namespace

std::string cannotConvertReason(const convert::Result& result, const document::Target& target) {
    switch (result.verdict) {
        case convert::Verdict::ViewOnly:
            return viewOnlyReason(result);
        case convert::Verdict::Unreadable:
            return unreadableReason(result);
        default:
            return refusalReason(result, target);
    }
}

Triage triage(std::string_view bytes, const document::Target& target, char amp,
              std::string_view sourceStem) {
    return triage(document::parsePreset(bytes), convert::sourceRootOf(bytes), target, amp,
                  sourceStem);
}

Triage triage(document::ParseResult parsed, std::string sourceRoot, const document::Target& target,
              char amp, std::string_view sourceStem) {
    convert::Plan plan;
    plan.target = &target;
    plan.amp = amp;
    plan.resolve = true;
    plan.fixNames = true;  // the name is judged apart from the status
    plan.render = false;
    plan.tellRemovals = false;
    const convert::Result result =
        convert::convertParsed(std::move(parsed), std::move(sourceRoot), plan, sourceStem);

    Triage t;
    t.nameRefused = result.nameRefused;
    t.fixedName = result.fixedName;
    t.unfixedName = result.unfixedName;
    switch (result.verdict) {
        case convert::Verdict::Saved:  // nothing conflicted, so Resolve changed nothing
            t.status = Status::Fits;
            break;
        case convert::Verdict::Resolved:
            t.status = Status::Converts;
            t.substitutions = result.resolveReport.substituted;
            t.removals = result.resolveReport.removed;
            break;
        case convert::Verdict::Refused:
        case convert::Verdict::BadPick:
            t.status = Status::Cannot;
            t.substitutions = result.resolveReport.substituted;
            t.removals = result.resolveReport.removed;
            t.reason = cannotConvertReason(result, target);
            break;
        case convert::Verdict::ViewOnly:
            t.status = Status::ViewOnly;
            t.reason = cannotConvertReason(result, target);
            break;
        case convert::Verdict::Unreadable:
            t.status = Status::Unreadable;
            t.reason = cannotConvertReason(result, target);
    }
    return t;
}

}  // namespace pw::library

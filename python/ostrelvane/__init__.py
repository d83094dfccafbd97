"""Change-point analysis of Ostrel-Vane Studio from Python.

    import ostrelvane
    result = ostrelvane.analyze([9.2, 9.9, 9.3, ...], seed=7)
    for change in result.values_changes:
        print(change.label, change.confidence, change.from_, change.to)

The engine finds shifts in the level of a series (and in its spread) by CUSUM and
bootstrap, with a confidence level for each change and an interval around its position.
The same series and seed give the same result as `ovs analyze --seed`.
"""

import math
import numbers
from dataclasses import dataclass

import numpy as np

from . import _engine

__all__ = ["analyze", "AnalysisResult", "Change"]

#: The fields of the structured array of changes.
CHANGE_DTYPE = np.dtype(
    [
        ("kind", "U9"),
        ("position", np.int64),
        ("confidence", np.float64),
        ("level", np.int64),
        ("interval_lower", np.int64),
        ("interval_upper", np.int64),
        ("label", object),
        ("interval_first", object),
        ("interval_last", object),
        ("from", np.float64),
        ("to", np.float64),
    ]
)


@dataclass(frozen=True)
class Change:
    """One significant change: in the level ("values") or in the spread ("variation")."""

    kind: str
    position: int  #: index of the last point before the change
    confidence: float  #: percent
    level: int  #: 1 for the change found first
    interval_lower: int
    interval_upper: int
    label: str  #: label of the first period after the change
    interval_labels: tuple  #: labels that open and close the confidence interval
    from_: float  #: level (or spread) before the change
    to: float  #: level (or spread) after it


def _number(value):
    """A JSON number, or NaN for a number the engine found invalid (given as its message)."""
    return value if isinstance(value, (int, float)) else math.nan


def _change(kind, item):
    return Change(
        kind,
        item["position"],
        _number(item["confidence"]),
        item["level"],
        item["interval_lower"],
        item["interval_upper"],
        item["label"],
        tuple(item["interval_labels"]),
        _number(item["from"]),
        _number(item["to"]),
    )


class AnalysisResult:
    """The result of one analysis: the fields of `ovs analyze --format json`, the changes as
    objects and as a structured array, the series and CUSUM charts, and the assumption tests."""

    def __init__(self, report):
        self._report = report
        for key, value in report.items():
            if key not in ("values_changes", "variation_changes", "values", "variation"):
                setattr(self, key, value)
        self.values_changes = [_change("values", c) for c in report["values_changes"]]
        self.variation_changes = [_change("variation", c) for c in report["variation_changes"]]
        #: both lists, level changes first
        self.changes = self.values_changes + self.variation_changes
        self.values = np.array(report["values"]["values"], dtype=float)
        self.value_periods = np.array(report["values"]["periods"], dtype=float)
        self.variation = np.array(report["variation"]["values"], dtype=float)
        self.variation_periods = np.array(report["variation"]["periods"], dtype=float)
        self.values_cusum = np.array(report["values_cusum"]["y"], dtype=float)
        self.variation_cusum = np.array(report["variation_cusum"]["y"], dtype=float)

    @property
    def changes_array(self):
        """The changes as a numpy structured array (fields as in CHANGE_DTYPE)."""
        rows = [
            (
                c.kind,
                c.position,
                c.confidence,
                c.level,
                c.interval_lower,
                c.interval_upper,
                c.label,
                c.interval_labels[0],
                c.interval_labels[1],
                c.from_,
                c.to,
            )
            for c in self.changes
        ]
        return np.array(rows, dtype=CHANGE_DTYPE)

    def to_dict(self):
        """Everything as plain lists and dicts (the JSON report's fields and the charts)."""
        return self._report

    def __repr__(self):
        return "<AnalysisResult %r: %d changes in level, %d in variation>" % (
            self.series_name,
            len(self.values_changes),
            len(self.variation_changes),
        )


def _cell(value):
    """The text of one value as a cell holds it: None and NaN are blank (missing)."""
    if value is None:
        return ""
    if isinstance(value, str):
        return value
    if isinstance(value, numbers.Real):
        number = float(value)
        return "" if math.isnan(number) else repr(number)
    raise ValueError("The values must be numbers: %r is not." % (value,))


def _cells(values):
    table = np.asarray(values, dtype=object)
    if table.ndim == 1:
        table = table.reshape(-1, 1)
    if table.ndim != 2:
        raise ValueError("The values must be a 1-D sequence or a 2-D array (rows are periods).")
    return [[_cell(v) for v in row] for row in table.tolist()]


def _option(value, name):
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise ValueError("%s must be a number: %r" % (name, value))
    return repr(value) if isinstance(value, float) else str(int(value))


def analyze(
    values,
    *,
    labels=None,
    trials=1000,
    level=90,
    interval=95,
    with_replacement=False,
    ranks=False,
    seed=None,
    values_per_period=1,
    progress=None,
):
    """Analyses one series for changes in level and in spread.

    values: a 1-D sequence of numbers, or a 2-D array whose rows are the periods and whose
    columns are the values of each period's subgroup (None or NaN: a missing value).
    With values_per_period m > 1 a 1-D sequence is cut into periods of m values.
    labels: one text per period (default: the period numbers from 1).
    trials, level, interval, with_replacement, ranks: the options of the analysis.
    seed: a whole number from 0 to 10**19; the same seed gives the same result.
    progress: called from this thread with the percent done of the current step.

    Raises ValueError with the program's message for refused data or options, and
    KeyboardInterrupt on Ctrl+C (the analysis stops).
    """
    if isinstance(values_per_period, bool) or not isinstance(values_per_period, numbers.Integral) or values_per_period < 1:
        raise ValueError("values_per_period must be a whole number of at least 1: %r" % (values_per_period,))
    cells = _cells(values)
    if values_per_period > 1:
        if len(cells) and len(cells[0]) != 1:
            raise ValueError("values_per_period applies to a 1-D sequence of values only.")
        flat = [row[0] for row in cells]
        if len(flat) % values_per_period:
            raise ValueError(
                "%d values do not make whole periods of %d values." % (len(flat), values_per_period)
            )
        cells = [flat[i : i + values_per_period] for i in range(0, len(flat), values_per_period)]
    label_texts = [] if labels is None else [str(label) for label in labels]
    if seed is not None and (isinstance(seed, bool) or not isinstance(seed, numbers.Integral) or not 0 <= seed <= 10**19):
        raise ValueError("the seed must be a whole number from 0 to 10^19: %r" % (seed,))
    if progress is not None and not callable(progress):
        raise ValueError("progress must be a callable taking a percent.")
    report = _engine.analyze(
        cells,
        label_texts,
        _option(trials, "trials"),
        _option(level, "level"),
        _option(interval, "interval"),
        bool(with_replacement),
        bool(ranks),
        None if seed is None else int(seed),
        progress,
    )
    return AnalysisResult(report)

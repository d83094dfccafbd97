"""The Python module against the command-line tool, its result object, its refusals, and
how it behaves while the engine runs (progress, other threads, Ctrl+C)."""

import csv
import json
import os
import signal
import subprocess
import threading
import time

import numpy as np
import pytest

import ostrelvane

EXAMPLES = os.environ.get("OVS_EXAMPLES_DIR", os.path.join(os.path.dirname(__file__), "..", "..", "examples"))
OVS = os.environ.get("OVS_BINARY", "ovs")

# Fields of the JSON report that describe the analysis rather than the data's place.
COMPARED = [
    "options",
    "values_per_period",
    "point_count",
    "period_count",
    "mean_of_values",
    "mean_of_variation",
    "median_of_variation",
    "serial_correlation",
    "outliers",
    "values_changes",
    "variation_changes",
]


def read_table(name, delimiter):
    with open(os.path.join(EXAMPLES, name), newline="") as f:
        rows = list(csv.reader(f, delimiter=delimiter))
    return rows[0], rows[1:]


def ovs_json(*arguments):
    done = subprocess.run([OVS, "analyze", *arguments, "--format", "json"], capture_output=True, text=True, check=True)
    return json.loads(done.stdout)


@pytest.mark.parametrize(
    "seed, options, flags",
    [(7, {}, []), (12345, {"ranks": True, "with_replacement": True, "trials": 500}, ["--ranks", "--with-replacement", "--trials", "500"])],
)
def test_results_equal_the_command_line_on_the_example_files(seed, options, flags):
    # One value per period, labels beside them.
    _, rows = read_table("thickness.txt", "\t")
    labels = [row[0] for row in rows]
    values = [float(row[1]) for row in rows]
    expected = ovs_json(os.path.join(EXAMPLES, "thickness.txt"), "--select", "B2:B101", "--labels", "A", "--seed", str(seed), *flags)
    result = ostrelvane.analyze(values, labels=labels, seed=seed, **options).to_dict()
    for key in COMPARED:
        assert result[key] == expected[key], key
    assert expected["values_changes"], "the example has a shift in level"

    # Subgroups of five values per period, as a 2-D array and as a flat sequence.
    _, rows = read_table("subgroups.csv", ",")
    labels = [row[0] for row in rows]
    table = np.array([[float(v) for v in row[1:]] for row in rows])
    expected = ovs_json(
        os.path.join(EXAMPLES, "subgroups.csv"),
        "--columns", "--start", "B", "--values", "5", "--first", "2", "--last", str(len(rows) + 1), "--labels", "A",
        "--seed", str(seed), *flags,
    )
    result = ostrelvane.analyze(table, labels=labels, seed=seed, **options)
    flat = ostrelvane.analyze(table.ravel(), values_per_period=5, labels=labels, seed=seed, **options)
    for key in COMPARED:
        assert result.to_dict()[key] == expected[key], key
        assert flat.to_dict()[key] == expected[key], key


def test_the_result_object_holds_the_report_the_changes_and_the_charts():
    rng = np.random.default_rng(3)
    values = np.concatenate([rng.normal(10, 1, 60), rng.normal(13, 1, 60), rng.normal(13, 3, 60)])
    result = ostrelvane.analyze(values, seed=99, trials=500)

    assert result.series_name == result.to_dict()["series_name"]
    assert result.point_count == 180 and result.values_per_period == 1
    assert [c.kind for c in result.changes] == ["values"] * len(result.values_changes) + ["variation"] * len(result.variation_changes)
    first = result.values_changes[0]
    assert 55 <= first.position <= 64 and first.label == str(first.position + 2)
    assert 90 <= first.confidence <= 100 and first.from_ < first.to
    assert result.variation_changes, "the spread triples in the last third"

    table = result.changes_array
    assert table.dtype.names[:3] == ("kind", "position", "confidence") and "from" in table.dtype.names
    assert len(table) == len(result.changes)
    assert list(table["position"]) == [c.position for c in result.changes]

    assert len(result.values_cusum) == 181 and result.values_cusum[0] == 0
    assert len(result.variation) == 90  # pairs of individual values
    assert len(result.variation_cusum) == 91
    assert set(result.assumptions) == {"serial_correlation", "independence_violated", "outliers", "report"}
    assert json.loads(json.dumps(result.to_dict())) == result.to_dict()

    # The same seed gives the same result; missing values (None, NaN) are left out.
    again = ostrelvane.analyze(list(values), seed=99, trials=500)
    assert again.to_dict() == result.to_dict()
    gappy = ostrelvane.analyze([None, *values[:50], float("nan")], seed=1)
    assert gappy.point_count == 50

    # Calls from several threads at once each have a stream of their own.
    results = [None] * 3

    def run(k):
        results[k] = ostrelvane.analyze(values, seed=99, trials=500).to_dict()

    threads = [threading.Thread(target=run, args=(k,)) for k in range(3)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert all(r == result.to_dict() for r in results)


def test_bad_input_raises_value_error_with_the_programs_message():
    cases = [
        (dict(values=[1.0, 2.0, 3.0]), "At least four data points are required.  Correct and try again."),
        (dict(values=[1.0, 2.0, "abc", 4.0, 5.0, 6.0]), "Invalid data in rows: 3."),
        (dict(values=list(range(20)), trials=50), "Number of Bootstrap Trials must be at least 100.  Correct and try again."),
        (dict(values=list(range(20)), labels=["a", "b"]), "There are 2 labels for 20 periods: give one label for each period."),
        (dict(values=np.zeros((2, 2, 2))), "The values must be a 1-D sequence or a 2-D array (rows are periods)."),
        (dict(values=list(range(20)), seed=-1), "the seed must be a whole number from 0 to 10^19: -1"),
    ]
    for arguments, message in cases:
        values = arguments.pop("values")
        with pytest.raises(ValueError) as caught:
            ostrelvane.analyze(values, **arguments)
        assert str(caught.value) == message


def test_progress_comes_on_the_calling_thread_other_threads_run_and_ctrl_c_stops_promptly():
    values = np.concatenate([np.arange(300) % 7, 5 + np.arange(300) % 7]).astype(float)
    caller = threading.get_ident()
    seen = []
    ostrelvane.analyze(values, seed=5, trials=20000, progress=lambda p: seen.append((threading.get_ident(), p)))
    assert seen and all(ident == caller for ident, _ in seen)
    assert all(0 <= p <= 100 for _, p in seen) and seen[-1][1] == 100

    # While the engine runs (with the GIL released) another thread keeps counting, and
    # Ctrl+C ends the call with KeyboardInterrupt long before the analysis would end.
    counted = [0]
    stop = threading.Event()

    def count():
        while not stop.is_set():
            counted[0] += 1
            time.sleep(0.001)

    counter = threading.Thread(target=count)
    counter.start()
    threading.Timer(0.5, lambda: os.kill(os.getpid(), signal.SIGINT)).start()
    started = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        ostrelvane.analyze(values, seed=5, trials=1000000)
    elapsed = time.monotonic() - started
    stop.set()
    counter.join()
    assert elapsed < 5, "a million trials take minutes; the interrupt must not wait for them"
    assert counted[0] > 10

    # The engine is free again afterwards.
    assert ostrelvane.analyze(values[:40], seed=5).point_count == 40

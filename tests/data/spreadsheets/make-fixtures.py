#!/usr/bin/python3
"""Writes the spreadsheet files the import tests read. Run from this folder with Debian's
python3 (python3-openpyxl, python3-odf, python3-xlwt); the files are committed, so the
tests do not need these modules."""
import datetime
import io
import zipfile

import openpyxl
import xlwt
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import Table, TableCell, TableRow
from odf.text import P, S

FIXED_TIME = (2024, 1, 1, 0, 0, 0)


def write_zip(name, parts):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as archive:
        for part, text in parts:
            info = zipfile.ZipInfo(part, FIXED_TIME)
            info.compress_type = zipfile.ZIP_STORED if part == "mimetype" else zipfile.ZIP_DEFLATED
            archive.writestr(info, text)


# What openpyxl writes by default: absolute targets of the sheet parts, inline strings.
def openpyxl_workbook():
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Data"
    ws["A1"] = "Batch"
    ws["B1"] = "Weight"
    ws["A2"] = 1
    ws["B2"] = 1.23
    ws["A3"] = 2
    ws["B3"] = 0.1 + 0.2
    ws["A4"] = 3
    ws["B4"] = -1e-7
    ws["C2"] = datetime.date(2024, 3, 1)
    ws["C3"] = datetime.datetime(2024, 3, 1, 12, 30, 5)
    ws["C4"] = datetime.time(7, 45)
    ws["D2"] = True
    ws["D3"] = False
    ws["E2"] = "=A2+A3"  # no stored result: an empty cell
    ws["F2"] = "  padded  "
    wb.create_sheet("Empty")
    second = wb.create_sheet("Sheet 1")
    second["B2"] = 12345678901234567
    wb.properties.created = datetime.datetime(2024, 1, 1)
    wb.properties.modified = datetime.datetime(2024, 1, 1)
    buffer = io.BytesIO()
    wb.save(buffer)
    # openpyxl stamps the time of saving into the archive; fixed times keep the file the same.
    with zipfile.ZipFile(buffer) as source:
        write_zip("openpyxl.xlsx", [(i.filename, source.read(i.filename)) for i in source.infolist()])


MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELS = "http://schemas.openxmlformats.org/package/2006/relationships"
DOC = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
CONTENT_TYPES = ('<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                 '<Default Extension="xml" ContentType="application/xml"/></Types>')


def package(workbook_xml, rels, parts):
    return [("[Content_Types].xml", CONTENT_TYPES),
            ("_rels/.rels", f'<Relationships xmlns="{RELS}"><Relationship Id="r1" '
                            f'Type="{DOC}/officeDocument" Target="xl/workbook.xml"/></Relationships>'),
            ("xl/workbook.xml", workbook_xml),
            ("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{RELS}">{rels}</Relationships>')] + parts


# The other way of writing a workbook: relative targets, a shared-string table with rich
# text runs and a phonetic reading, the 1904 date system, a namespace prefix, cells
# without references, formulas with stored results, and values beyond the grid.
def handmade_workbook():
    workbook = (f'<x:workbook xmlns:x="{MAIN}" xmlns:r="{DOC}"><x:workbookPr date1904="1"/><x:sheets>'
                '<x:sheet name="Measurements" sheetId="1" r:id="rIdA"/>'
                '<x:sheet name="Wide" sheetId="2" r:id="rIdB"/></x:sheets></x:workbook>')
    rels = (f'<Relationship Id="rIdA" Type="{DOC}/worksheet" Target="worksheets/sheet1.xml"/>'
            f'<Relationship Id="rIdB" Type="{DOC}/worksheet" Target="../xl/worksheets/./sheet2.xml"/>'
            f'<Relationship Id="rIdS" Type="{DOC}/sharedStrings" Target="sharedStrings.xml"/>'
            f'<Relationship Id="rIdT" Type="{DOC}/styles" Target="styles.xml"/>')
    strings = (f'<sst xmlns="{MAIN}"><si><t>plain</t></si>'
               '<si><r><rPr><b/></rPr><t>bold </t></r><r><t xml:space="preserve">and  plain</t></r></si>'
               '<si><t>kanji</t><rPh sb="0" eb="1"><t>reading</t></rPh></si>'
               '<si><t>a &amp; b &lt;c&gt;</t></si></sst>')
    styles = (f'<styleSheet xmlns="{MAIN}"><numFmts><numFmt numFmtId="165" formatCode="dd/mm/yyyy"/>'
              '<numFmt numFmtId="166" formatCode="[h]:mm:ss"/><numFmt numFmtId="167" formatCode="0.00&quot;d&quot;"/>'
              '<numFmt numFmtId="168" formatCode="[Red]0.0;[Blue]-0.0"/></numFmts>'
              '<cellStyleXfs><xf numFmtId="14"/></cellStyleXfs>'
              '<cellXfs><xf numFmtId="0"/><xf numFmtId="165"/><xf numFmtId="166"/><xf numFmtId="167"/>'
              '<xf numFmtId="22"/><xf numFmtId="168"/></cellXfs></styleSheet>')
    sheet1 = (f'<worksheet xmlns="{MAIN}"><sheetData>'
              '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>'
              '<c r="D1" t="s"><v>3</v></c></row>'
              '<row r="2"><c r="A2" s="1"><v>0</v></c><c r="B2" s="2"><v>1.5</v></c><c r="C2" s="3"><v>2.5</v></c>'
              '<c r="D2" s="4"><v>45000.75</v></c><c r="E2" s="5"><v>7</v></c></row>'
              '<row r="3"><c r="A3" t="str"><f>CONCAT("x","y")</f><v>xy</v></c><c r="B3" t="e"><f>1/0</f>'
              '<v>#DIV/0!</v></c><c r="C3" t="b"><v>0</v></c><c r="D3"><f>1/3</f><v>0.33333333333333331</v></c>'
              '</row>'
              '<row><c><v>10</v></c><c><v>20</v></c><c t="inlineStr"><is><r><t>in</t></r><r><t>line</t></r></is></c>'
              '</row>'
              '</sheetData></worksheet>')
    sheet2 = (f'<worksheet xmlns="{MAIN}"><sheetData>'
              '<row r="1"><c r="IV1"><v>256</v></c><c r="IW1"><v>257</v></c><c r="IZ1"><v>260</v></c></row>'
              '<row r="10000"><c r="A10000"><v>1</v></c></row>'
              '<row r="10002"><c r="A10002"><v>2</v></c></row>'
              '<row r="1048576"><c r="XFD1048576"><v>3</v></c></row>'
              '</sheetData></worksheet>')
    write_zip("handmade.xlsx", package(workbook, rels, [
        ("xl/sharedStrings.xml", strings), ("xl/styles.xml", styles),
        ("xl/worksheets/sheet1.xml", sheet1), ("xl/worksheets/sheet2.xml", sheet2)]))


def one_sheet_workbook(name, sheet_xml):
    workbook = (f'<workbook xmlns="{MAIN}" xmlns:r="{DOC}"><sheets>'
                '<sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>')
    rels = f'<Relationship Id="rId1" Type="{DOC}/worksheet" Target="/xl/worksheets/sheet1.xml"/>'
    write_zip(name, package(workbook, rels, [("xl/worksheets/sheet1.xml", sheet_xml)]))


def hostile_workbooks():
    # A sheet that decompresses to 8 MB of blanks: the tests read it with a smaller bound.
    one_sheet_workbook("bomb.xlsx", f'<worksheet xmlns="{MAIN}"><sheetData>' + " " * (8 << 20) +
                       '</sheetData></worksheet>')
    laughs = '<!DOCTYPE worksheet [<!ENTITY a "hahahahaha">' + "".join(
        f'<!ENTITY {chr(98 + i)} "{("&" + chr(97 + i) + ";") * 10}">' for i in range(9)) + ']>'
    one_sheet_workbook("entities.xlsx", laughs + f'<worksheet xmlns="{MAIN}"><sheetData><row r="1"><c r="A1" '
                       't="inlineStr"><is><t>&j;</t></is></c></row></sheetData></worksheet>')
    one_sheet_workbook("bad-reference.xlsx", f'<worksheet xmlns="{MAIN}"><sheetData><row r="1">'
                       '<c r="XFE1"><v>1</v></c></row></sheetData></worksheet>')
    with open("openpyxl.xlsx", "rb") as source:
        whole = source.read()
    with open("truncated.xlsx", "wb") as target:
        target.write(whole[:len(whole) // 2])


def odfpy_spreadsheet():
    doc = OpenDocumentSpreadsheet()
    table = Table(name="Process")
    row = TableRow()
    for text in ["Label", "Value"]:
        cell = TableCell(valuetype="string")
        cell.addElement(P(text=text))
        row.addElement(cell)
    # A million empty columns after the last value of the row: nothing to store.
    row.addElement(TableCell(numbercolumnsrepeated=1000000))
    table.addElement(row)
    row = TableRow()
    cell = TableCell(valuetype="string")
    p = P(text="two")
    p.addElement(S(c=3))
    p.addText("spaces")
    cell.addElement(p)
    cell.addElement(P(text="second line"))
    row.addElement(cell)
    cell = TableCell(valuetype="float", value="0.30000000000000004")
    cell.addElement(P(text="0.3"))
    row.addElement(cell)
    cell = TableCell(valuetype="percentage", value="0.25")
    cell.addElement(P(text="25%"))
    row.addElement(cell)
    row.addElement(TableCell(valuetype="date", datevalue="2024-03-01"))
    row.addElement(TableCell(valuetype="date", datevalue="2024-03-01T12:30:05"))
    row.addElement(TableCell(valuetype="time", timevalue="PT07H45M00S"))
    row.addElement(TableCell(valuetype="boolean", booleanvalue="true"))
    table.addElement(row)
    # A million empty rows, then a row with one value repeated in three cells and twice.
    table.addElement(TableRow(numberrowsrepeated=1000000))
    row = TableRow(numberrowsrepeated=2)
    row.addElement(TableCell(valuetype="float", value="5", numbercolumnsrepeated=3))
    table.addElement(row)
    doc.spreadsheet.addElement(table)
    table = Table(name="Repeated")
    # 20000 rows reaching to column 301: half the rows and 45 columns lie past the grid.
    row = TableRow(numberrowsrepeated=20000)
    row.addElement(TableCell(valuetype="float", value="1.5"))
    row.addElement(TableCell(numbercolumnsrepeated=299))
    row.addElement(TableCell(valuetype="float", value="2.5"))
    table.addElement(row)
    doc.spreadsheet.addElement(table)
    doc.spreadsheet.addElement(Table(name="Empty"))
    doc.save("odfpy.ods")
    with zipfile.ZipFile("odfpy.ods") as source:
        parts = [(i.filename, source.read(i.filename)) for i in source.infolist()]
    write_zip("odfpy.ods", parts)


def xlwt_workbook():
    wb = xlwt.Workbook()
    ws = wb.add_sheet("Readings")
    ws.write(0, 0, "Batch")
    ws.write(0, 1, "Weight")
    for i, value in enumerate([1.23, 0.1 + 0.2, 42, -2.5e-9]):
        ws.write(i + 1, 0, i + 1)
        ws.write(i + 1, 1, value)
    ws.write(1, 2, datetime.date(2024, 3, 1), xlwt.easyxf(num_format_str="YYYY-MM-DD"))
    ws.write(2, 2, True)
    ws.write(1, 3, xlwt.Formula("A2+A3"))
    ws.write(12000, 0, "past the grid")
    wb.add_sheet("Empty")
    wb.save("xlwt.xls")
    with open("xlwt.xls", "rb") as source:
        whole = source.read()
    # The same file with its sheet records overwritten: the decoder must not take the
    # program down with it.
    damaged = bytearray(whole)
    for i in range(len(damaged) // 2, len(damaged), 7):
        damaged[i] = 0xFF
    with open("damaged.xls", "wb") as target:
        target.write(bytes(damaged))


# The example series of examples/thickness.txt as the second sheet, named as the import
# names a text file's sheet, of a workbook of each kind; the first sheet is empty.
def thickness_workbooks():
    with open("../../../examples/thickness.txt") as source:
        rows = [line.rstrip("\n").split("\t") for line in source]
    table = [[rows[0][0], rows[0][1]]] + [[lot, float(value)] for lot, value in rows[1:]]

    wb = openpyxl.Workbook()
    wb.active.title = "Notes"
    sheet = wb.create_sheet("Sheet 1")
    for row in table:
        sheet.append(row)
    buffer = io.BytesIO()
    wb.save(buffer)
    with zipfile.ZipFile(buffer) as archive:
        write_zip("thickness.xlsx", [(i.filename, archive.read(i.filename)) for i in archive.infolist()])

    doc = OpenDocumentSpreadsheet()
    notes = Table(name="Notes")
    doc.spreadsheet.addElement(notes)
    data = Table(name="Sheet 1")
    for lot, value in table:
        row = TableRow()
        cell = TableCell(valuetype="string")
        cell.addElement(P(text=lot))
        row.addElement(cell)
        if isinstance(value, float):
            cell = TableCell(valuetype="float", value=repr(value))
        else:
            cell = TableCell(valuetype="string")
            cell.addElement(P(text=value))
        row.addElement(cell)
        data.addElement(row)
    doc.spreadsheet.addElement(data)
    doc.save("thickness.ods")
    with zipfile.ZipFile("thickness.ods") as archive:
        parts = [(i.filename, archive.read(i.filename)) for i in archive.infolist()]
    write_zip("thickness.ods", parts)

    book = xlwt.Workbook()
    book.add_sheet("Notes")
    sheet = book.add_sheet("Sheet 1")
    for r, row in enumerate(table):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    book.save("thickness.xls")


if __name__ == "__main__":
    thickness_workbooks()
    openpyxl_workbook()
    handmade_workbook()
    hostile_workbooks()
    odfpy_spreadsheet()
    xlwt_workbook()

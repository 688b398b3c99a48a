-- Sample database of the two control-showcase programs (tavorin.mdb):
-- customers, products and their orders. Built by vbdb_load into the program
-- folder. The customer telephone column is spelled "telelphone", as every
-- query and DataWindow of the showcases names it. Product identifiers are
-- text, so they compare as text ('10' sorts before '6').

CREATE TABLE Customer (
  customerid LONG NOT NULL PRIMARY KEY,
  customername TEXT(50) COLLATE NOCASE,
  address TEXT(80) COLLATE NOCASE,
  city TEXT(40) COLLATE NOCASE,
  state TEXT(20) COLLATE NOCASE,
  zipcode TEXT(10) COLLATE NOCASE,
  telelphone TEXT(20) COLLATE NOCASE,
  fax TEXT(20) COLLATE NOCASE
);

CREATE TABLE product (
  productid TEXT(10) NOT NULL PRIMARY KEY COLLATE NOCASE,
  product TEXT(50) COLLATE NOCASE,
  unitssold LONG,
  costperunit CURRENCY,
  priceperunit CURRENCY,
  unitspercarton LONG
);

CREATE TABLE OrderData (
  orderid LONG NOT NULL PRIMARY KEY,
  orderdate DATETIME,
  quantity LONG,
  productid TEXT(10) COLLATE NOCASE,
  customerid LONG
);

INSERT INTO Customer VALUES (1, 'Abbott Hardware', '12 Mill Road', 'Springfield', 'IL', '62701', '217-555-0141', '217-555-0142');
INSERT INTO Customer VALUES (2, 'Bright Lights Supply', '480 Harbor Street', 'Portland', 'ME', '04101', '207-555-0187', '207-555-0188');
INSERT INTO Customer VALUES (3, 'Corner Office Goods', '7 Elm Avenue', 'Madison', 'WI', '53703', '608-555-0112', '608-555-0113');
INSERT INTO Customer VALUES (4, 'Delta Tool Works', '2215 River Drive', 'Baton Rouge', 'LA', '70801', '225-555-0166', '225-555-0167');
INSERT INTO Customer VALUES (5, 'Evergreen Stores', '95 Pine Lane', 'Olympia', 'WA', '98501', '360-555-0123', '360-555-0124');
INSERT INTO Customer VALUES (6, 'Foster and Sons', '300 Main Street', 'Dover', 'DE', '19901', '302-555-0195', '302-555-0196');

INSERT INTO product VALUES ('1', 'Widget', 1200, '2.50', '4.75', 24);
INSERT INTO product VALUES ('2', 'Mini-Widget', 860, '1.60', '2.95', 48);
INSERT INTO product VALUES ('3', 'Super-Widget', 410, '5.10', '9.50', 12);
INSERT INTO product VALUES ('4', 'Gizmo', 730, '3.20', '5.99', 24);
INSERT INTO product VALUES ('5', 'Gizmo Deluxe', 295, '6.40', '11.25', 12);
INSERT INTO product VALUES ('6', 'Thing Classic', 540, '4.00', '7.45', 20);
INSERT INTO product VALUES ('7', 'New Thing', 380, '4.80', '8.90', 20);
INSERT INTO product VALUES ('8', 'Corporate Training', 40, '350.00', '595.00', 1);
INSERT INTO product VALUES ('9', 'Network Services', 65, '120.00', '210.00', 1);

INSERT INTO OrderData VALUES (1, '3/2/1998', 48, '1', 1);
INSERT INTO OrderData VALUES (2, '3/9/1998', 96, '2', 2);
INSERT INTO OrderData VALUES (3, '3/16/1998', 24, '3', 3);
INSERT INTO OrderData VALUES (4, '4/6/1998', 72, '4', 4);
INSERT INTO OrderData VALUES (5, '4/20/1998', 12, '5', 5);
INSERT INTO OrderData VALUES (6, '5/4/1998', 40, '6', 6);
INSERT INTO OrderData VALUES (7, '5/18/1998', 20, '7', 1);
INSERT INTO OrderData VALUES (8, '6/1/1998', 3, '8', 2);
INSERT INTO OrderData VALUES (9, '6/15/1998', 5, '9', 3);
INSERT INTO OrderData VALUES (10, '7/6/1998', 24, '1', 4);
INSERT INTO OrderData VALUES (11, '7/20/1998', 12, '4', 6);
